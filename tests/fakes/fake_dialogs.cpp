#include "tests/fakes/fake_dialogs.h"

#include "directory/dialogs.h"

FakeDialogs& TheFakeDialogs() {
  static FakeDialogs dialogs;
  return dialogs;
}

void ResetFakeDialogs() { TheFakeDialogs() = FakeDialogs{}; }

int ShowMessage(const std::string& title, const std::string& text, unsigned style) {
  FakeDialogs& d = TheFakeDialogs();
  d.messages.push_back({title, text, style});
  if (d.onMessage) d.onMessage(d.messages.back());
  if (!d.answers.empty()) {
    int answer = d.answers.front();
    d.answers.pop_front();
    return answer;
  }
  const unsigned buttons = style & 0xF;
  return buttons == kMbYesNo || buttons == kMbYesNoCancel ? kIdNo : kIdOk;
}

std::string ShowOpenFileDialog(const std::string& title, const std::string& defaultName,
                               const std::string& pattern, int patternPosition) {
  FakeDialogs& d = TheFakeDialogs();
  d.openCalls.push_back({title, defaultName, pattern, patternPosition});
  if (d.openAnswers.empty()) return {};
  std::string answer = d.openAnswers.front();
  d.openAnswers.pop_front();
  return answer;
}
