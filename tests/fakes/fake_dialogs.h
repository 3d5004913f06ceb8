// Scripted stand-in for the two dialogs: records what was shown and answers
// as the test says.
#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

struct ShownMessage {
  std::string title;
  std::string text;
  unsigned style = 0;
};

struct OpenDialogCall {
  std::string title;
  std::string defaultName;
  std::string pattern;
  int patternPosition = 0;
};

struct FakeDialogs {
  std::vector<ShownMessage> messages;
  // Answers to the next message boxes; when none is left, OK boxes answer
  // IDOK and Yes/No and Yes/No/Cancel boxes IDNO.
  std::deque<int> answers;
  // Runs when a message is shown, before it is answered (for example to
  // change the fake file system between two attempts).
  std::function<void(const ShownMessage&)> onMessage;

  std::vector<OpenDialogCall> openCalls;
  std::deque<std::string> openAnswers;  // when none is left: cancelled
};

FakeDialogs& TheFakeDialogs();
void ResetFakeDialogs();
