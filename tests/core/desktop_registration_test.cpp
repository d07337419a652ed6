#include "core/desktop_registration.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vaticor {
namespace {

TEST(XdgFolders, UnsetOrRelativeValuesFallBackToTheDefaults) {
  struct Case {
    const char* home;
    const char* dataHome;
    const char* dataDirs;
    const char* configHome;
    const char* wantData;
    const char* wantConfig;
    std::vector<std::string> wantDirs;
  };
  const Case cases[] = {
      {"/home/u",
       "",
       "",
       "",
       "/home/u/.local/share",
       "/home/u/.config",
       {"/usr/local/share", "/usr/share"}},
      {"/home/u/",
       "data",
       "share:",
       "cfg",
       "/home/u/.local/share",
       "/home/u/.config",
       {"/usr/local/share", "/usr/share"}},
      {"/home/u", "/d/", "/a:rel::/b/", "/c", "/d", "/c", {"/a", "/b"}},
      {"", "", "/x", "", "", "", {"/x"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.home) + " | " + c.dataHome + " | " + c.dataDirs);
    const XdgFolders folders = XdgFoldersFrom(c.home, c.dataHome, c.dataDirs, c.configHome);
    EXPECT_EQ(folders.dataHome, c.wantData);
    EXPECT_EQ(folders.configHome, c.wantConfig);
    EXPECT_EQ(folders.dataDirs, c.wantDirs);
  }
}

TEST(MimePackage, DeclaredGlobIsFoundInAnyCaseAndQuote) {
  EXPECT_TRUE(DeclaresSpreadGlob(
      "<?xml version=\"1.0\"?>\n<mime-info>\n<mime-type type=\"application/x-other\">\n"
      "  <glob pattern=\"*.spread\"/>\n</mime-type>\n</mime-info>\n"));
  EXPECT_TRUE(DeclaresSpreadGlob("<glob weight='60' pattern='*.SPREAD' case-sensitive='true'/>"));
  EXPECT_TRUE(DeclaresSpreadGlob("<glob\n  pattern = \"*.Spread\" />"));
  EXPECT_TRUE(DeclaresSpreadGlob(SpreadMimePackageText()));
}

TEST(MimePackage, OtherGlobsCommentsAndOtherElementsDeclareNothing) {
  EXPECT_FALSE(DeclaresSpreadGlob("<glob pattern=\"*.spreads\"/><glob pattern=\"*.spr\"/>"));
  EXPECT_FALSE(DeclaresSpreadGlob("<!-- <glob pattern=\"*.spread\"/> -->"));
  EXPECT_FALSE(DeclaresSpreadGlob("<globs pattern=\"*.spread\"/>"));
  EXPECT_FALSE(DeclaresSpreadGlob("<magic-glob pattern=\"*.spread\"/>"));
  EXPECT_FALSE(DeclaresSpreadGlob("<glob type=\"*.spread\"/>"));
  EXPECT_FALSE(DeclaresSpreadGlob("<comment>pattern=\"*.spread\"</comment>"));
  EXPECT_FALSE(DeclaresSpreadGlob("<glob pattern=\"*.spread"));
  EXPECT_FALSE(DeclaresSpreadGlob("<!-- <glob pattern=\"*.spread\"/>"));
  EXPECT_FALSE(DeclaresSpreadGlob(""));
}

TEST(MimePackage, TheProgramsPackageText) {
  EXPECT_EQ(SpreadMimePackageText(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
            "  <mime-type type=\"application/x-vaticor-spread\">\n"
            "    <comment>Vaticor Spread</comment>\n"
            "    <glob pattern=\"*.spread\" case-sensitive=\"false\"/>\n"
            "    <icon name=\"vaticor\"/>\n"
            "  </mime-type>\n"
            "</mime-info>\n");
}

TEST(MimePackage, WrittenUnlessAnotherDeclaresTheGlobOrOursIsUpToDate) {
  const std::string other = "<glob pattern=\"*.SPREAD\"/>";
  const std::string unrelated = "<glob pattern=\"*.txt\"/>";
  EXPECT_TRUE(ShouldWriteMimePackage({}, std::nullopt));
  EXPECT_TRUE(ShouldWriteMimePackage({unrelated}, std::nullopt));
  EXPECT_TRUE(ShouldWriteMimePackage({unrelated}, std::string("<old/>")));
  EXPECT_FALSE(ShouldWriteMimePackage({}, SpreadMimePackageText()));
  EXPECT_FALSE(ShouldWriteMimePackage({unrelated, other}, std::nullopt));
  EXPECT_FALSE(ShouldWriteMimePackage({other}, std::string("<old/>")));
}

TEST(DesktopEntry, ExecQuotingEscapesTheFourReservedCharacters) {
  EXPECT_EQ(QuoteExecArgument("/usr/bin/vaticor"), R"("/usr/bin/vaticor")");
  EXPECT_EQ(QuoteExecArgument(R"(/a b/"q"/$HOME/`id`/c\d)"), R"("/a b/\"q\"/\$HOME/\`id\`/c\\d")");
  EXPECT_EQ(DesktopStringValue(R"("/c\\d")"), R"("/c\\\\d")");
  EXPECT_EQ(DesktopStringValue("a\nb\tc\rd"), R"(a\nb\tc\rd)");
}

TEST(DesktopEntry, TheEntryText) {
  EXPECT_EQ(DesktopEntryText("/opt/Vaticor/vaticor"),
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=Vaticor\n"
            "GenericName=Tarot Reader\n"
            "GenericName[ru]=Гадание на картах Таро\n"
            "Comment=Tarot spreads and readings\n"
            "Comment[ru]=Расклады и гадание на картах Таро\n"
            "Keywords=tarot;cards;divination;reading;spread;journal;\n"
            "Keywords[ru]=таро;карты;гадание;расклад;дневник;\n"
            "Icon=vaticor\n"
            "Exec=\"/opt/Vaticor/vaticor\" %f\n"
            "Path=/opt/Vaticor\n"
            "MimeType=application/x-vaticor-spread;\n"
            "Categories=Utility;\n"
            "Terminal=false\n"
            "X-Vaticor-Registered=true\n");
}

TEST(DesktopEntry, ExecOfAPathWithEveryReservedCharacter) {
  const std::string text = DesktopEntryText(R"(/home/u/Tarot "Pro"/$HOME/`id`/a\b/100%/vaticor)");
  EXPECT_NE(text.find("\nExec=\"/home/u/Tarot \\\\\"Pro\\\\\"/\\\\$HOME/\\\\`id\\\\`/"
                      "a\\\\\\\\b/100%%/vaticor\" %f\n"),
            std::string::npos)
      << text;
}

TEST(DesktopEntry, AProgramInAFolderWithAPercentSignStartsThroughTheLauncherLink) {
  EXPECT_TRUE(ExecCanStart("/opt/Vaticor/vaticor"));
  EXPECT_FALSE(ExecCanStart("/home/u/pct 100%/vaticor"));
  EXPECT_EQ(LauncherLinkPath("/home/u/.local/share/"), "/home/u/.local/share/vaticor/vaticor");
  const std::string text =
      DesktopEntryText("/home/u/pct 100%/vaticor", "/home/u/.local/share/vaticor/vaticor");
  EXPECT_NE(text.find("\nExec=\"/home/u/.local/share/vaticor/vaticor\" %f\n"), std::string::npos)
      << text;
  // The folder is the program's own, "%" and all: Path has no field codes.
  EXPECT_NE(text.find("\nPath=/home/u/pct 100%\n"), std::string::npos) << text;
}

TEST(DesktopEntry, ReadingBackTheProgramAndTheMark) {
  const std::string path = R"(/home/u/Tarot "Pro"/$HOME/`id`/a\b/100%/vaticor)";
  const DesktopEntryFacts ours = ReadDesktopEntry(DesktopEntryText(path));
  EXPECT_TRUE(ours.ours);
  EXPECT_EQ(ours.program, path);
  EXPECT_EQ(ours.workingFolder, R"(/home/u/Tarot "Pro"/$HOME/`id`/a\b/100%)");

  const DesktopEntryFacts plain = ReadDesktopEntry(
      "[Desktop Entry]\r\nName=Other\r\nExec = /usr/bin/other --open %f\r\n"
      "[Desktop Action New]\r\nX-Vaticor-Registered=true\r\n");
  EXPECT_FALSE(plain.ours);
  EXPECT_EQ(plain.program, "/usr/bin/other");

  EXPECT_EQ(ReadDesktopEntry("[Desktop Entry]\nExec=\"/no/end %f\n").program, "");
  EXPECT_EQ(ReadDesktopEntry("[Other]\nExec=/x\n").program, "");
  EXPECT_FALSE(ReadDesktopEntry("[Desktop Entry]\nX-Vaticor-Registered=false\n").ours);
}

TEST(DesktopEntry, OnlyAMissingEntryOrOursWithAMissingProgramOrNoFolderIsWritten) {
  const std::string ours = DesktopEntryText("/old/vaticor");
  const std::string users = "[Desktop Entry]\nType=Application\nName=Mine\nExec=/old/vaticor %f\n";
  // Ours as versions without a working folder wrote it: started from the
  // menu, the program wrote its log wherever the launcher stood.
  const std::string oursWithoutFolder =
      "[Desktop Entry]\nType=Application\nName=Vaticor\nExec=\"/old/vaticor\" %f\n"
      "X-Vaticor-Registered=true\n";
  EXPECT_TRUE(ShouldWriteDesktopEntry(std::nullopt, false));
  EXPECT_TRUE(ShouldWriteDesktopEntry(ours, false));
  EXPECT_FALSE(ShouldWriteDesktopEntry(ours, true));
  EXPECT_TRUE(ShouldWriteDesktopEntry(oursWithoutFolder, true));
  EXPECT_FALSE(ShouldWriteDesktopEntry(users, false));
  EXPECT_FALSE(ShouldWriteDesktopEntry(users, true));
}

TEST(MimeApps, ANewFileHoldsTheSectionAndTheDefault) {
  EXPECT_EQ(WithDefaultApplication("", "application/x-vaticor-spread", "vaticor.desktop"),
            "[Default Applications]\napplication/x-vaticor-spread=vaticor.desktop\n");
}

TEST(MimeApps, TheDefaultJoinsTheSectionAndEveryOtherLineStays) {
  const std::string before =
      "# chosen by hand\n"
      "[Added Associations]\n"
      "text/plain=gedit.desktop;\n"
      "\n"
      "[Default Applications]\n"
      "text/html=firefox-esr.desktop\n"
      "image/png = eog.desktop\n"
      "\n"
      "[Removed Associations]\n"
      "image/jpeg=gimp.desktop;\n";
  EXPECT_EQ(WithDefaultApplication(before, "application/x-vaticor-spread", "vaticor.desktop"),
            "# chosen by hand\n"
            "[Added Associations]\n"
            "text/plain=gedit.desktop;\n"
            "\n"
            "[Default Applications]\n"
            "text/html=firefox-esr.desktop\n"
            "image/png = eog.desktop\n"
            "application/x-vaticor-spread=vaticor.desktop\n"
            "\n"
            "[Removed Associations]\n"
            "image/jpeg=gimp.desktop;\n");

  EXPECT_EQ(WithDefaultApplication("[Added Associations]\r\ntext/plain=a.desktop;\r\n",
                                   "application/x-vaticor-spread", "vaticor.desktop"),
            "[Added Associations]\r\ntext/plain=a.desktop;\r\n"
            "[Default Applications]\r\napplication/x-vaticor-spread=vaticor.desktop\r\n");
  EXPECT_EQ(WithDefaultApplication("[Added Associations]", "application/x-vaticor-spread",
                                   "vaticor.desktop"),
            "[Added Associations]\n"
            "[Default Applications]\napplication/x-vaticor-spread=vaticor.desktop\n");
}

TEST(MimeApps, AnExistingDefaultIsNeverOverridden) {
  EXPECT_EQ(WithDefaultApplication(
                "[Default Applications]\napplication/x-vaticor-spread=other.desktop;\n",
                "application/x-vaticor-spread", "vaticor.desktop"),
            std::nullopt);
  EXPECT_EQ(
      WithDefaultApplication(
          "[Default Applications]\nvaticor.desktop=x\nAPPLICATION/X-Vaticor-Spread=o.desktop\n",
          "application/x-vaticor-spread", "vaticor.desktop"),
      std::nullopt);
  // The same type elsewhere is no default.
  EXPECT_EQ(
      WithDefaultApplication("[Added Associations]\napplication/x-vaticor-spread=other.desktop;\n",
                             "application/x-vaticor-spread", "vaticor.desktop"),
      "[Added Associations]\napplication/x-vaticor-spread=other.desktop;\n"
      "[Default Applications]\napplication/x-vaticor-spread=vaticor.desktop\n");
}

}  // namespace
}  // namespace vaticor
