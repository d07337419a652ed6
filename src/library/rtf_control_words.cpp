#include "library/rtf_control_words.h"

#include <unordered_map>

namespace vaticor::rtf {
namespace {

const std::unordered_map<std::string_view, WordInfo>& Words() {
  static const std::unordered_map<std::string_view, WordInfo> words = [] {
    std::unordered_map<std::string_view, WordInfo> w;
    w["ansi"] = {WordAction::Ansi};
    w["mac"] = {WordAction::Mac};
    w["pc"] = {WordAction::Pc};
    w["pca"] = {WordAction::Pca};
    w["ansicpg"] = {WordAction::AnsiCpg};
    w["deff"] = {WordAction::Deff};
    w["uc"] = {WordAction::Uc};
    w["u"] = {WordAction::U};
    w["bin"] = {WordAction::Bin};

    // Destinations whose text is not part of what a reader sees.
    for (std::string_view name : {"stylesheet",
                                  "info",
                                  "listtable",
                                  "listoverridetable",
                                  "revtbl",
                                  "rsidtbl",
                                  "generator",
                                  "header",
                                  "headerl",
                                  "headerr",
                                  "headerf",
                                  "footer",
                                  "footerl",
                                  "footerr",
                                  "footerf",
                                  "fldinst",
                                  "objdata",
                                  "objclass",
                                  "objname",
                                  "objalias",
                                  "objsect",
                                  "objitem",
                                  "objtopic",
                                  "themedata",
                                  "colorschememapping",
                                  "latentstyles",
                                  "datastore",
                                  "xmlnstbl",
                                  "mmathPr",
                                  "pn",
                                  "pnseclvl",
                                  "nonshppict",
                                  "sp",
                                  "shprslt",
                                  "do",
                                  "bkmkstart",
                                  "bkmkend",
                                  "xe",
                                  "tc",
                                  "tcn",
                                  "txe",
                                  "rxe",
                                  "filetbl",
                                  "pgdsctbl",
                                  "template",
                                  "author",
                                  "operator",
                                  "title",
                                  "subject",
                                  "keywords",
                                  "comment",
                                  "doccomm",
                                  "company",
                                  "category",
                                  "manager",
                                  "hlinkbase",
                                  "creatim",
                                  "revtim",
                                  "printim",
                                  "buptim",
                                  "userprops",
                                  "docvar",
                                  "ftnsep",
                                  "ftnsepc",
                                  "ftncn",
                                  "aftnsep",
                                  "aftnsepc",
                                  "aftncn",
                                  "annotation",
                                  "atnid",
                                  "atnauthor",
                                  "atndate",
                                  "atnref",
                                  "atnparent",
                                  "atrfstart",
                                  "atrfend",
                                  "falt",
                                  "panose",
                                  "fname",
                                  "fontemb",
                                  "fontfile",
                                  "listpicture",
                                  "background",
                                  "blipuid",
                                  "picprop",
                                  "protusertbl",
                                  "private",
                                  "wgrffmtfilter",
                                  "formfield",
                                  "ffname",
                                  "htmltag",
                                  "mhtmltag",
                                  "pxe",
                                  "passwordhash",
                                  "password",
                                  "bookmark",
                                  "nonesttables"}) {
      w[name] = {WordAction::SkipDest};
    }
    w["fonttbl"] = {WordAction::FontTable};
    w["colortbl"] = {WordAction::ColourTable};
    w["pict"] = {WordAction::Pict};
    w["footnote"] = {WordAction::Footnote};
    w["pntext"] = {WordAction::ListText};
    w["listtext"] = {WordAction::ListText};
    // Wrappers: their own text is dropped, some of their parts are read.
    w["shp"] = {WordAction::Container};
    w["shpgrp"] = {WordAction::Container};
    w["shpinst"] = {WordAction::Container, 0, true};
    w["object"] = {WordAction::Container};
    w["upr"] = {WordAction::Container};
    // Parts read as text: a shape's text, an object's and a field's
    // displayed result, the Unicode half of \upr, Word's picture wrapper.
    w["shptxt"] = {WordAction::TextDest, 0, true};
    w["result"] = {WordAction::TextDest};
    w["fldrslt"] = {WordAction::TextDest};
    w["ud"] = {WordAction::TextDest, 0, true};
    w["shppict"] = {WordAction::TextDest, 0, true};
    // Word keeps a nested table row's properties here, other writers the
    // row's text as well.
    w["nesttableprops"] = {WordAction::TextDest, 0, true};

    w["f"] = {WordAction::F};
    w["fcharset"] = {WordAction::FCharset};
    w["cpg"] = {WordAction::Cpg};
    w["red"] = {WordAction::Red};
    w["green"] = {WordAction::Green};
    w["blue"] = {WordAction::Blue};

    w["pngblip"] = {WordAction::PngBlip};
    w["jpegblip"] = {WordAction::JpegBlip};
    for (std::string_view name :
         {"emfblip", "macpict", "pmmetafile", "wmetafile", "dibitmap", "wbitmap"}) {
      w[name] = {WordAction::OtherBlip};
    }
    w["picw"] = {WordAction::PicW};
    w["pich"] = {WordAction::PicH};
    w["picwgoal"] = {WordAction::PicWGoal};
    w["pichgoal"] = {WordAction::PicHGoal};
    w["picscalex"] = {WordAction::PicScaleX};
    w["picscaley"] = {WordAction::PicScaleY};

    w["plain"] = {WordAction::Plain};
    w["b"] = {WordAction::B};
    w["i"] = {WordAction::I};
    for (std::string_view name : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                                  "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd",
                                  "ulthldash", "ululdbwave", "ulw", "ulwave"}) {
      w[name] = {WordAction::Ul};
    }
    w["ulnone"] = {WordAction::UlNone};
    w["strike"] = {WordAction::Strike};
    w["striked"] = {WordAction::Strike};
    w["fs"] = {WordAction::Fs};
    w["cf"] = {WordAction::Cf};
    w["highlight"] = {WordAction::Highlight};
    w["cb"] = {WordAction::Cb};
    w["chcbpat"] = {WordAction::Cb};
    w["super"] = {WordAction::Super};
    w["sub"] = {WordAction::Sub};
    w["nosupersub"] = {WordAction::NoSuperSub};
    w["v"] = {WordAction::Hidden};
    w["htmlrtf"] = {WordAction::Hidden};  // Outlook's RTF-only parts of encapsulated HTML

    w["pard"] = {WordAction::Pard};
    w["ql"] = {WordAction::Ql};
    w["qr"] = {WordAction::Qr};
    w["qc"] = {WordAction::Qc};
    w["qj"] = {WordAction::Qj};
    w["qd"] = {WordAction::Qj};
    w["li"] = {WordAction::Li};
    w["ri"] = {WordAction::Ri};
    w["fi"] = {WordAction::Fi};
    w["sb"] = {WordAction::Sb};
    w["sa"] = {WordAction::Sa};

    w["par"] = {WordAction::Par};
    w["sect"] = {WordAction::Par};
    w["page"] = {WordAction::Par};
    w["line"] = {WordAction::Line};
    w["tab"] = {WordAction::Tab};
    w["cell"] = {WordAction::Cell};
    w["nestcell"] = {WordAction::Cell};
    w["row"] = {WordAction::Row};
    w["nestrow"] = {WordAction::Row};
    w["chftn"] = {WordAction::Chftn};
    w["emdash"] = {WordAction::Char, 0x2014};
    w["endash"] = {WordAction::Char, 0x2013};
    w["lquote"] = {WordAction::Char, 0x2018};
    w["rquote"] = {WordAction::Char, 0x2019};
    w["ldblquote"] = {WordAction::Char, 0x201C};
    w["rdblquote"] = {WordAction::Char, 0x201D};
    w["bullet"] = {WordAction::Char, 0x2022};
    w["emspace"] = {WordAction::Char, 0x2003};
    w["enspace"] = {WordAction::Char, 0x2002};
    w["qmspace"] = {WordAction::Char, 0x2005};
    w["zwj"] = {WordAction::Char, 0x200D};
    w["zwnj"] = {WordAction::Char, 0x200C};
    w["ltrmark"] = {WordAction::Char, 0x200E};
    w["rtlmark"] = {WordAction::Char, 0x200F};
    return w;
  }();
  return words;
}

}  // namespace

bool IsDestination(WordAction action) {
  switch (action) {
    case WordAction::SkipDest:
    case WordAction::FontTable:
    case WordAction::ColourTable:
    case WordAction::Pict:
    case WordAction::Footnote:
    case WordAction::ListText:
    case WordAction::Container:
    case WordAction::TextDest:
      return true;
    default:
      return false;
  }
}

const WordInfo* FindControlWord(std::string_view name) {
  const auto& words = Words();
  const auto found = words.find(name);
  return found == words.end() ? nullptr : &found->second;
}

}  // namespace vaticor::rtf
