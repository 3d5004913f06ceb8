// A file that another editor saved as UTF-8 is named in the load warning;
// nothing is converted.
#include <doctest/doctest.h>

#include <string>
#include "directory/dialogs.h"
#include "directory/program_flow.h"
#include "tests/fakes/fake_dialogs.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_window.h"
#include "text/utf8.h"

TEST_CASE("UTF-8 text: valid UTF-8 with at least one multi-byte sequence") {
  struct Case {
    const char* what;
    std::string bytes;
    bool utf8;
  };
  const Case cases[] = {
      {"empty", "", false},
      {"pure ASCII", "100;0711 1;Meier\r\n", false},
      {"1252 umlauts", "100;0711 1;M\xFCller, K\xF6ln\r\n", false},
      {"1252 capital umlaut before a letter", "\xC4nderung", false},
      {"1252 sharp s at the end", "Stra\xDF", false},
      {"1252 ellipsis and euro", "\x85 \x80", false},
      {"UTF-8 umlauts", "100;0711 1;M\xC3\xBCller, K\xC3\xB6ln\r\n", true},
      {"UTF-8 byte order mark only", "\xEF\xBB\xBF", true},
      {"UTF-8 euro sign", "\xE2\x82\xAC", true},
      {"UTF-8 four-byte sequence", "\xF0\x9F\x93\x9E Telefon", true},
      {"UTF-8 highest code point", "\xF4\x8F\xBF\xBF", true},
      {"broken: sequence cut at the end", "M\xC3", false},
      {"broken: lead byte without continuation", "M\xC3x", false},
      {"broken: stray continuation byte", "M\xBC", false},
      {"broken: overlong two-byte form", "\xC0\xAF", false},
      {"broken: overlong three-byte form", "\xE0\x80\xAF", false},
      {"broken: overlong four-byte form", "\xF0\x80\x80\xAF", false},
      {"broken: surrogate", "\xED\xA0\x80", false},
      {"broken: above the highest code point", "\xF4\x90\x80\x80", false},
      {"broken: F5 lead byte", "\xF5\x80\x80\x80", false},
      {"valid UTF-8 then a 1252 umlaut", "K\xC3\xB6ln, M\xFCller", false},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    CHECK(IsUtf8Text(c.bytes) == c.utf8);
    // The same, however the bytes are split into the pieces of a read.
    for (size_t cut = 0; cut <= c.bytes.size(); ++cut) {
      Utf8Scan scan;
      ScanUtf8(scan, std::string_view(c.bytes).substr(0, cut));
      ScanUtf8(scan, std::string_view(c.bytes).substr(cut));
      CHECK(IsUtf8Text(scan) == c.utf8);
    }
  }
}

TEST_CASE("A UTF-8 file gets one line in the load warning and is loaded as it is") {
  const std::string kPath = "C:\\Daten\\Default.kw";
  const std::string kNote =
      "Die Kurzwahldatei C:\\Daten\\Default.kw ist als UTF-8 gespeichert: ihre Umlaute stehen "
      "nicht in der Form, die die Software der Telefonanlage liest.\n";
  struct Case {
    const char* what;
    std::string bytes;
    bool noted;
  };
  const Case cases[] = {
      {"1252", "100;0711 1;M\xFCller\r\n101;0711 2;K\xF6ln\r\n", false},
      {"ASCII", "100;0711 1;Meier\r\n", false},
      {"UTF-8", "100;0711 1;M\xC3\xBCller\r\n101;0711 2;K\xC3\xB6ln\r\n", true},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    ResetFakeSystem();
    ResetFakeDialogs();
    ResetFakeWindow();
    TheFakeSystem().readChunk = 5;
    ProgramState state;
    state.speedDialFolder = "C:\\Daten\\";
    state.speedDialFileName = "Default.kw";
    TheFakeSystem().files[kPath] = c.bytes;
    TextFile file;
    REQUIRE(OpenForReading(kPath, file));
    WarnAboutLoad(state, ShowDirectory(state, file));

    if (c.noted) {
      REQUIRE(TheFakeDialogs().messages.size() == 1);
      CHECK(TheFakeDialogs().messages[0].title == kWindowTitle);
      CHECK(TheFakeDialogs().messages[0].text == kNote);
      CHECK(TheFakeDialogs().messages[0].style == kMbIconWarning);
      CHECK(state.table.slots[0].name == "M\xC3\xBCller");  // the bytes as they are
    } else {
      CHECK(TheFakeDialogs().messages.empty());
    }
    CHECK(TheFakeSystem().files.at(kPath) == c.bytes);
    CHECK(TheFakeSystem().openFiles == 0);
  }
}
