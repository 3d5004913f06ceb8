#include "directory/load_warning.h"

namespace {
// "3, 17, 250"; the report keeps only the first numbers, and an ellipsis
// says there are more.
std::string NumberList(const std::vector<int64_t>& numbers, int64_t count) {
  std::string list;
  for (size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) list += ", ";
    list += std::to_string(numbers[i]);
  }
  if (count > static_cast<int64_t>(numbers.size())) list += ", \x85";
  return list;
}
}  // namespace

std::string UntakenLinesMessage(const std::string& speedDialPath, const LoadReport& report) {
  if (report.droppedCount == 0) return {};
  return "Die Kurzwahldatei " + speedDialPath +
         " enth\xE4lt Zeilen, die nicht \xFC" "bernommen werden konnten (keine "
         "g\xFCltige Position, oder die Position wird sp\xE4ter in der Datei noch "
         "einmal belegt):\nZeile " +
         NumberList(report.lineNumbers, report.droppedCount) +
         "\nBeim Speichern fehlen diese Zeilen in der Datei.\n";
}

std::string CutLinesMessage(const std::string& speedDialPath, const LoadReport& report) {
  if (report.cutCount == 0) return {};
  return "Die Kurzwahldatei " + speedDialPath +
         " enth\xE4lt Zeilen mit Text nach dem dritten \";\":\nZeile " +
         NumberList(report.cutLineNumbers, report.cutCount) +
         "\nBeim Speichern fehlt dieser Text in der Datei.\n";
}

std::string UnreadRestMessage(const std::string& speedDialPath, const LoadReport& report) {
  if (!report.readFailed) return {};
  return "Die Kurzwahldatei " + speedDialPath +
         " konnte nicht vollst\xE4ndig gelesen werden.\nBeim Speichern fehlt der nicht "
         "gelesene Rest der Datei.\n";
}

std::string Utf8TextMessage(const std::string& speedDialPath, const LoadReport& report) {
  if (!report.utf8Text) return {};
  return "Die Kurzwahldatei " + speedDialPath +
         " ist als UTF-8 gespeichert: ihre Umlaute stehen nicht in der Form, die die Software "
         "der Telefonanlage liest.\n";
}
