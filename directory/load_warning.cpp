#include "directory/load_warning.h"

std::string UntakenLinesMessage(const std::string& speedDialPath, const LoadReport& report) {
  if (report.droppedCount == 0) return {};
  std::string message = "Die Kurzwahldatei " + speedDialPath +
                        " enth\xE4lt Zeilen, die nicht \xFC" "bernommen werden konnten (keine "
                        "g\xFCltige Position, oder die Position wird sp\xE4ter in der Datei noch "
                        "einmal belegt):\nZeile ";
  for (size_t i = 0; i < report.lineNumbers.size(); ++i) {
    if (i > 0) message += ", ";
    message += std::to_string(report.lineNumbers[i]);
  }
  // The report keeps only the first numbers; an ellipsis says there are more.
  if (report.droppedCount > static_cast<int64_t>(report.lineNumbers.size())) message += ", \x85";
  message += "\nBeim Speichern fehlen diese Zeilen in der Datei.\n";
  return message;
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
