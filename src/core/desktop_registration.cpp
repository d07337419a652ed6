#include "core/desktop_registration.h"

#include <cstddef>

#include "core/file_io.h"
#include "core/ini_document.h"

namespace vaticor {

namespace {

constexpr std::string_view kDefaultSection = "Default Applications";
constexpr std::string_view kEntryGroup = "[Desktop Entry]";

bool IsAbsolute(std::string_view path) { return !path.empty() && path.front() == '/'; }

std::string WithoutTrailingSeparators(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  return std::string(path);
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The value of attribute `name` in the attribute text of one start tag;
// nullopt when the tag has none.
std::optional<std::string_view> AttributeValue(std::string_view tag, std::string_view name) {
  std::size_t at = 0;
  while (at < tag.size()) {
    while (at < tag.size() && IsXmlSpace(tag[at])) ++at;
    const std::size_t nameBegin = at;
    while (at < tag.size() && !IsXmlSpace(tag[at]) && tag[at] != '=') ++at;
    const std::string_view attribute = tag.substr(nameBegin, at - nameBegin);
    while (at < tag.size() && IsXmlSpace(tag[at])) ++at;
    if (at >= tag.size() || tag[at] != '=') {
      if (at == nameBegin) ++at;  // a stray character: step over it
      continue;
    }
    ++at;
    while (at < tag.size() && IsXmlSpace(tag[at])) ++at;
    if (at >= tag.size() || (tag[at] != '"' && tag[at] != '\'')) continue;
    const char quote = tag[at++];
    const std::size_t close = tag.find(quote, at);
    if (close == std::string_view::npos) return std::nullopt;
    const std::string_view value = tag.substr(at, close - at);
    at = close + 1;
    if (attribute == name) return value;
  }
  return std::nullopt;
}

// The lines of the [Desktop Entry] group, without line ends.
std::vector<std::string_view> EntryGroupLines(std::string_view text) {
  std::vector<std::string_view> lines;
  bool inGroup = false;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    at = end + 1;
    if (!line.empty() && line.front() == '[') {
      inGroup = line == kEntryGroup;
      continue;
    }
    if (inGroup) lines.push_back(line);
  }
  return lines;
}

// The raw value of `key` in the [Desktop Entry] group (the first such line);
// nullopt when there is none. Blanks around "=" are not part of either.
std::optional<std::string_view> EntryValue(std::string_view text, std::string_view key) {
  for (std::string_view line : EntryGroupLines(text)) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    std::string_view name = line.substr(0, equals);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
    if (name != key) continue;
    std::string_view value = line.substr(equals + 1);
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
      value.remove_prefix(1);
    return value;
  }
  return std::nullopt;
}

// A string value with the file's escapes undone.
std::string UnescapeStringValue(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    switch (value[++i]) {
      case 's':
        out += ' ';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case '\\':
        out += '\\';
        break;
      default:
        out += '\\';
        out += value[i];
    }
  }
  return out;
}

// The first argument of an Exec value (string escapes already undone);
// empty when it cannot be read.
std::string FirstExecArgument(std::string_view exec) {
  std::size_t at = 0;
  while (at < exec.size() && exec[at] == ' ') ++at;
  if (at >= exec.size()) return {};
  if (exec[at] != '"') {
    const std::size_t end = exec.find(' ', at);
    return std::string(exec.substr(at, end == std::string_view::npos ? end : end - at));
  }
  std::string argument;
  for (++at; at < exec.size(); ++at) {
    if (exec[at] == '"') return argument;
    if (exec[at] == '\\' && at + 1 < exec.size()) ++at;
    argument += exec[at];
  }
  return {};  // no closing quote
}

}  // namespace

XdgFolders XdgFoldersFrom(std::string_view home, std::string_view dataHome,
                          std::string_view dataDirs, std::string_view configHome) {
  XdgFolders folders;
  const std::string homeFolder = IsAbsolute(home) ? WithoutTrailingSeparators(home) : "";
  const auto underHome = [&homeFolder](std::string_view relative) {
    return homeFolder.empty() ? std::string() : homeFolder + "/" + std::string(relative);
  };
  folders.dataHome =
      IsAbsolute(dataHome) ? WithoutTrailingSeparators(dataHome) : underHome(".local/share");
  folders.configHome =
      IsAbsolute(configHome) ? WithoutTrailingSeparators(configHome) : underHome(".config");
  std::size_t at = 0;
  while (at <= dataDirs.size() && !dataDirs.empty()) {
    std::size_t end = dataDirs.find(':', at);
    if (end == std::string_view::npos) end = dataDirs.size();
    const std::string_view entry = dataDirs.substr(at, end - at);
    if (IsAbsolute(entry)) folders.dataDirs.push_back(WithoutTrailingSeparators(entry));
    at = end + 1;
  }
  if (folders.dataDirs.empty()) folders.dataDirs = {"/usr/local/share", "/usr/share"};
  return folders;
}

bool DeclaresSpreadGlob(std::string_view packageXml) {
  std::size_t at = 0;
  while ((at = packageXml.find('<', at)) != std::string_view::npos) {
    if (packageXml.substr(at, 4) == "<!--") {
      const std::size_t close = packageXml.find("-->", at + 4);
      if (close == std::string_view::npos) return false;
      at = close + 3;
      continue;
    }
    const std::size_t close = packageXml.find('>', at);
    if (close == std::string_view::npos) return false;
    const std::string_view tag = packageXml.substr(at + 1, close - at - 1);
    at = close + 1;
    if (tag.substr(0, 4) != "glob" || tag.size() == 4 || !IsXmlSpace(tag[4])) continue;
    const auto pattern = AttributeValue(tag.substr(4), "pattern");
    if (pattern && EqualsIgnoringAsciiCase(*pattern, "*.spread")) return true;
  }
  return false;
}

bool ShouldWriteMimePackage(const std::vector<std::string>& otherPackages,
                            const std::optional<std::string>& ownPackage) {
  for (const std::string& package : otherPackages) {
    if (DeclaresSpreadGlob(package)) return false;
  }
  return !ownPackage || *ownPackage != SpreadMimePackageText();
}

std::string SpreadMimePackageText() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
         "  <mime-type type=\"" +
         std::string(kSpreadMimeType) +
         "\">\n"
         "    <comment>Vaticor Spread</comment>\n"
         "    <glob pattern=\"*.spread\" case-sensitive=\"false\"/>\n"
         "    <icon name=\"" +
         std::string(kIconName) +
         "\"/>\n"
         "  </mime-type>\n"
         "</mime-info>\n";
}

std::string QuoteExecArgument(std::string_view argument) {
  std::string quoted = "\"";
  for (char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string DesktopStringValue(std::string_view value) {
  std::string out;
  for (char c : value) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

bool ExecCanStart(std::string_view programPath) {
  return programPath.find('%') == std::string_view::npos;
}

std::string LauncherLinkPath(std::string_view dataHome) {
  return WithoutTrailingSeparators(dataHome) + "/vaticor/vaticor";
}

namespace {

// The lines every desktop entry of the program has; `exec` and `extra`
// (whole lines) are the ones that say where it is.
std::string DesktopEntryWith(const std::string& exec, const std::string& extra) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Vaticor\n"
         "GenericName=Tarot Reader\n"
         "GenericName[ru]=Гадание на картах Таро\n"
         "Comment=Tarot spreads and readings\n"
         "Comment[ru]=Расклады и гадание на картах Таро\n"
         "Keywords=tarot;cards;divination;reading;spread;journal;\n"
         "Keywords[ru]=таро;карты;гадание;расклад;дневник;\n"
         "Icon=" +
         std::string(kIconName) + "\nExec=" + exec + " %f\n" + extra +
         "MimeType=" + std::string(kSpreadMimeType) +
         ";\n"
         "Categories=Utility;\n"
         "Terminal=false\n";
}

}  // namespace

std::string DesktopEntryText(std::string_view programPath, std::string_view launcherPath) {
  // "%" starts a field code in Exec; a path holding one is written "%%".
  std::string quoted;
  for (char c : QuoteExecArgument(launcherPath.empty() ? programPath : launcherPath)) {
    quoted += c;
    if (c == '%') quoted += '%';
  }
  const std::string folder = ParentPath(programPath);
  return DesktopEntryWith(DesktopStringValue(quoted), "Path=" + DesktopStringValue(folder) + "\n") +
         std::string(kOwnEntryMark) + "=true\n";
}

std::string InstalledDesktopEntryText() { return DesktopEntryWith("vaticor", ""); }

DesktopEntryFacts ReadDesktopEntry(std::string_view entryText) {
  DesktopEntryFacts facts;
  const auto mark = EntryValue(entryText, kOwnEntryMark);
  facts.ours = mark && *mark == "true";
  if (const auto exec = EntryValue(entryText, "Exec")) {
    std::string program = FirstExecArgument(UnescapeStringValue(*exec));
    // "%%" is a literal "%" at the Exec level.
    std::string literal;
    for (std::size_t i = 0; i < program.size(); ++i) {
      literal += program[i];
      if (program[i] == '%' && i + 1 < program.size() && program[i + 1] == '%') ++i;
    }
    facts.program = std::move(literal);
  }
  if (const auto path = EntryValue(entryText, "Path")) {
    facts.workingFolder = UnescapeStringValue(*path);
  }
  return facts;
}

bool ShouldWriteDesktopEntry(const std::optional<std::string>& existingEntry,
                             bool existingProgramExists) {
  if (!existingEntry) return true;
  const DesktopEntryFacts facts = ReadDesktopEntry(*existingEntry);
  return facts.ours && (!existingProgramExists || facts.workingFolder.empty());
}

std::optional<std::string> WithDefaultApplication(std::string_view mimeAppsText,
                                                  std::string_view mimeType,
                                                  std::string_view desktopId) {
  const std::string line = std::string(mimeType) + "=" + std::string(desktopId);
  if (mimeAppsText.find('\n') == std::string_view::npos) {
    // No line end to follow: the document's own default would be CRLF,
    // which is not the desktop's.
    if (mimeAppsText.find_first_not_of(" \t\r") == std::string_view::npos) {
      return "[" + std::string(kDefaultSection) + "]\n" + line + "\n";
    }
    std::string text(mimeAppsText);
    if (text.back() == '\r') text.pop_back();
    return WithDefaultApplication(text + "\n", mimeType, desktopId);
  }
  IniDocument document{std::string(mimeAppsText)};
  const auto existing = document.Value(kDefaultSection, mimeType);
  if (existing && !existing->empty()) return std::nullopt;
  if (!document.SetValue(kDefaultSection, mimeType, desktopId)) return std::nullopt;
  return document.Bytes();
}

}  // namespace vaticor
