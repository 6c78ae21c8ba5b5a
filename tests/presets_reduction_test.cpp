// Leaving out, before parsing, the plain markup that the slice walk never reads: what goes, what
// must stay, and that the walk finds exactly what it finds in the whole text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <juce_core/juce_core.h>

#include "presets/plain_markup.h"
#include "presets/preset_document.h"
#include "presets/slice_walk.h"
#include "presets/walk_places.h"
#include "presets/xml_prescan.h"
#include "tests/support/library_reading.h"
#include "tests/support/preset_files.h"
#include "tools/caller/temp_folder.h"

namespace {

using testsupport::OneSlicePreset;
using testsupport::ReadFixture;

// The text the parser is given when the walk's parts alone are parsed.
std::string Reduced(const std::string& document) {
  juce::String text = juce::String::fromUTF8(document.data(), static_cast<int>(document.size()));
  PrescanResult scan = PrescanXml(text, kMaxPresetDepth, true);
  EXPECT_EQ(scan.verdict, PrescanVerdict::Parseable) << scan.problem;
  return ApplyCuts(text, scan.cuts);
}

std::vector<SliceRecord> Slices(const LoadedDocument& loaded) {
  return loaded.root ? CollectSlices(*loaded.root) : std::vector<SliceRecord>{};
}

// Both scopes fail alike, or read the same list; the text they read is the library decoder's.
void ExpectSameReading(const std::string& bytes, const std::string& what) {
  if (const auto decoded = testsupport::LibraryDecoding(bytes.data(), bytes.size())) {
    EXPECT_TRUE(DecodePresetText(bytes.data(), bytes.size()) == *decoded) << what;
  }
  LoadedDocument walked = ParsePresetBytes(bytes.data(), bytes.size());
  LoadedDocument whole = ParsePresetBytes(bytes.data(), bytes.size(), ParseScope::WholeText);
  EXPECT_EQ(walked.outcome, whole.outcome) << what;
  EXPECT_EQ(walked.detail, whole.detail) << what;
  EXPECT_EQ(walked.prescanDepth, whole.prescanDepth) << what;
  EXPECT_TRUE(Slices(walked) == Slices(whole)) << what;
  EXPECT_EQ(whole.parsedBytes, whole.textBytes) << what;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> paths;
  for (const auto& entry : juce::RangedDirectoryIterator(juce::File(folder), false, "*", juce::File::findFiles))
    paths.push_back(entry.getFile().getFullPathName().toStdString());
  return paths;
}

TEST(PresetReduction, OnlyWhatTheWalkReadsReachesTheParser) {
  // Unread elements, contents, attributes and blanks between markup go; of a Screen and of the
  // "Common" block the first "name" stays, of a "Name" entry the first "name" and "value", of a
  // corner the first two attributes.
  const std::string document =
      "<?xml version=\"1.0\"?>\n<XmlState v=\"1\">\n  <versionInfo a=\"1\"/>\n  <ScreenSetup><Params name=\"x\"><P/>"
      "</Params><SCREENS><Screen uniqueId=\"7\" name=\"S\" name=\"T\">"
      "<Params><Param name=\"Name\" value=\"S\"/></Params><Layers>\n"
      "<Slice id=\"1\"><Params name=\"Input\"><Param name=\"a\"/></Params>"
      "<Params T=\"p\" name=\"Common\" name=\"x\"><Param name=\"Enabled\" value=\"1\"/>"
      "<Param value=\"v\" T=\"S\" name=\"Name\" value=\"w\"><x/></Param></Params>"
      "<inputrect k=\"0\"><v x=\"1\" y=\"2\" z=\"3\"><w/></v>\n\t<v/>text<v/><v></v><v extra=\"5\"/></inputrect>"
      "<OutputRect/><Warper><q>deep<r/></q></Warper></Slice><slice><InputRect/></slice></Layers>"
      "<OutputDevice/></Screen><screen/><Other/></SCREENS></ScreenSetup><Later/></XmlState>\n";
  EXPECT_EQ(Reduced(document),
            "<?xml version=\"1.0\"?>\n<XmlState><ScreenSetup><SCREENS><Screen name=\"S\"><Layers>"
            "<Slice><Params name=\"Common\"><Param value=\"v\" name=\"Name\"/></Params>"
            "<inputrect><v x=\"1\" y=\"2\"/><v/>text<v/><v/></inputrect><OutputRect/>"
            "</Slice></Layers></Screen></SCREENS></ScreenSetup></XmlState>\n");
  ExpectSameReading(document, "the hand-written document");

  // On every element of the walk's table, each attribute it reads survives, whatever stands around it,
  // and nothing else does.
  for (const WalkRule& rule : kWalkRules) {
    std::string byPosition;  // the element's tag with the attributes read by position
    std::string document = "<x/>";
    for (const WalkRule* step = &rule;; step = &RuleFor(step->parent)) {
      const bool byTag = step->by == FoundBy::Tag || step->by == FoundBy::TagAnyCase;
      const std::string tag = byTag ? step->key : step->by == FoundBy::Root ? "XmlState" : "P";
      std::string attributes;
      for (int i = 0; i < step->attributesByPosition; ++i) attributes += " a" + std::to_string(i) + "=\"read\"";
      attributes += " u=\"0\"";
      if (step->by == FoundBy::Name) attributes += std::string(" ") + kNameAttribute + "=\"" + step->key + "\"";
      if (step->readAttribute != nullptr) attributes += std::string(" ") + step->readAttribute + "=\"read\"";
      attributes += " w=\"1\"";
      if (step == &rule) byPosition = "<" + tag + attributes.substr(0, attributes.find(" u="));
      document = "<" + tag + attributes + ">" + document + "</" + tag + ">";
      if (step->parent == WalkPlace::Document) break;
    }
    const std::string reduced = Reduced(document);
    EXPECT_NE(reduced.find(byPosition), std::string::npos) << reduced;
    if (rule.by == FoundBy::Name) {
      EXPECT_NE(reduced.find(std::string("=\"") + rule.key + "\""), std::string::npos) << reduced;
    }
    if (rule.readAttribute != nullptr) {
      EXPECT_NE(reduced.find(std::string(" ") + rule.readAttribute + "=\"read\""), std::string::npos) << reduced;
    }
    EXPECT_EQ(reduced.find("u=\""), std::string::npos) << reduced;
    const bool xIsACorner = std::any_of(std::begin(kWalkRules), std::end(kWalkRules), [&](const WalkRule& child) {
      return child.parent == rule.place && child.by == FoundBy::Position;
    });
    EXPECT_EQ(reduced.find("<x/>") == std::string::npos, !xIsACorner) << reduced;
    ExpectSameReading(document, reduced);
  }
}

TEST(PresetReduction, WhatMightBeReadOrMightNotParseStays) {
  struct Case {
    const char* what;
    std::string document;
    std::string kept;  // must still be in the text given to the parser
  };
  const std::string head = "<XmlState><ScreenSetup><screens><Screen><layers><Slice>";
  const std::string tail = "<InputRect/><OutputRect/></Slice></layers></Screen></screens></ScreenSetup></XmlState>";
  const std::vector<Case> cases = {
      {"a name that is a reference", head + "<P name=\"Comm&#111;n\"><Q name=\"Name\"/></P>" + tail,
       "<P name=\"Comm&#111;n\"><Q name=\"Name\"/></P>"},
      {"a reference in an unread tag", head + "<P a=\"&amp;\"/>" + tail, "<P a=\"&amp;\"/>"},
      {"a comment inside unread markup", head + "<W><a/><!-- c --></W>" + tail, "<W><a/><!-- c --></W>"},
      {"an instruction inside unread markup", head + "<W><?pi?></W>" + tail, "<W><?pi?></W>"},
      {"CDATA inside unread markup", head + "<W><![CDATA[x]]></W>" + tail, "<W><![CDATA[x]]></W>"},
      {"a reference in unread text", head + "<W>&lt;</W>" + tail, "<W>&lt;</W>"},
      {"a tag beyond ASCII, which may match in any case", "<XmlState><\xC5\xBF" "creenSetup><a/></\xC5\xBF" "creenSetup></XmlState>",
       "<\xC5\xBF" "creenSetup><a/></"},
      {"a rectangle named Common", head + "<InputRect name=\"Common\"><v/><v/><v/><v/><v/></InputRect>" + tail,
       "<v/><v/><v/><v/><v/>"},
      // The parser ends W at the unquoted value and takes <c/> as the Slice's own child.
      {"an attribute the parser stops at", head + "<W a=b><c/></W>" + tail, "<W a=b></W>"},
      {"a comment among a corner's attributes",
       head + "<InputRect><v x=\"1\" <!-- c --> y=\"2\" z=\"3\"/><v/><v/><v/></InputRect>" + tail,
       "<v x=\"1\" <!-- c --> y=\"2\" z=\"3\"/>"},
      {"a reference among a Name entry's attributes",
       head + "<P name=\"Common\"><Q name=\"Name\" T=\"&amp;\" value=\"v\"/></P>" + tail,
       "<Q name=\"Name\" T=\"&amp;\" value=\"v\"/>"},
      {"blanks before text", head + "<W/>  text<X/>" + tail, "  text"},
      // Attributes need no blank between them: the blanks before one left out keep the tag name apart.
      {"an unread attribute right before the name",
       head + "<Params  T=\"p\"name=\"Common\"><Param T=\"S\"name=\"Name\"value=\"v\"/></Params>" + tail,
       "<Params  name=\"Common\"><Param name=\"Name\"value=\"v\"/></Params>"},
      {"blanks around a comment", head + "\n<!-- c -->\n<X/>" + tail, "\n<!-- c -->\n"},
  };
  for (const Case& c : cases) {
    EXPECT_NE(Reduced(c.document).find(c.kept), std::string::npos) << c.what << ": " << Reduced(c.document);
    ExpectSameReading(c.document, c.what);
  }
  // After markup that is not plain, the plain siblings that follow still go.
  EXPECT_EQ(Reduced(head + "<W><!-- c --></W><X><y/></X>" + tail), head + "<W><!-- c --></W>" + tail);
}

TEST(PresetReduction, FaultsFailAlikeWhereverTheyStand) {
  const std::string before = "<XmlState><ScreenSetup><screens><Screen><layers><Slice><Warper>";
  const std::string after = "</Warper><InputRect/></Slice></layers></Screen></screens></ScreenSetup></XmlState>";
  for (const std::string& fault : {std::string("<a b></a>"), std::string("<a b=\"1\" %></a>"), std::string("<a"),
                                   std::string("&#x;"), std::string("<a b=c d=\"1\">")}) {
    ExpectSameReading(before + fault + after, fault);
    ExpectSameReading(before + fault, fault + " at the end");
  }
  // A fault in the parts the walk reads gives the parser's own text in both.
  std::string broken = OneSlicePreset("A");
  broken.replace(broken.find("<Slice "), 7, "<Slice b ");
  LoadedDocument loaded = ParsePresetBytes(broken.data(), broken.size());
  EXPECT_EQ(loaded.detail, "expected '=' after attribute 'b'");
  ExpectSameReading(broken, "fault in a Slice tag");
}

TEST(PresetReduction, AnElementThatTheParserLookedAtStays) {
  const std::string head =
      "<XmlState><ScreenSetup><screens><Screen><layers><Slice><Params name=\"Common\"><Param name=\"Name\" "
      "value=\"A\"/></Params><OutputRect><v/><v/><v/><v/></OutputRect><InputRect><v/><v/><v/>";
  const std::string tail = "</InputRect></Slice></layers></Screen></screens></ScreenSetup></XmlState>";
  // The parser decides about the fourth corner, or about what follows it, on the bytes of W.
  // Without W it would read y="2", end a tag with "/>", take CDATA, or swallow the Slice into
  // a character escape.
  const std::string corners[] = {
      "<v x=\"1\" y= <W/>\"2\"/>",       // a value without quotes
      "<v x=\"1\" <W/>y=\"2\"/>",        // a stray character
      "<v x=\"1\"/>< <W/>v x=\"3\"/>",   // a tag without a name
      "<v x=\"1\" /<W/>>",               // a '/' not followed by '>'
      "<v x=\"1\"/><![CD<W/>ATA[<a>]]>",  // a CDATA opener cut short
  };
  for (const std::string& corner : corners) {
    const std::string document = head + corner + tail;
    EXPECT_NE(Reduced(document).find("<W/>"), std::string::npos) << corner;
    ExpectSameReading(document, corner);
  }
  const std::string escape = "<XmlState><ScreenSetup><screens><Screen><layers>&#<W/>5<Slice><InputRect/>"
                             "<OutputRect/></Slice></layers></Screen></screens></ScreenSetup></XmlState>";
  EXPECT_NE(Reduced(escape).find("<W/>"), std::string::npos);
  ExpectSameReading(escape, "an escape without digits");

  LoadedDocument loaded = ParsePresetBytes((head + corners[0] + tail).data(), (head + corners[0] + tail).size());
  ASSERT_EQ(Slices(loaded).size(), 2u);
  EXPECT_EQ(Slices(loaded)[1].inputRect[2].x, 1.0f);  // the fourth corner, stored third
  EXPECT_EQ(Slices(loaded)[1].inputRect[2].y, 0.0f);
}

TEST(PresetReduction, LeavingOutThatWouldStallTheParserParsesTheWholeText) {
  // Without <a/>, the instruction would stand right before text.
  const std::string document = "<XmlState><?pi?><a/>text<ScreenSetup/></XmlState>";
  EXPECT_EQ(Reduced(document), "<XmlState><?pi?>text<ScreenSetup/></XmlState>");
  EXPECT_TRUE(PrescanXml(juce::String(document), kMaxPresetDepth, true).recheckAfterCuts);
  LoadedDocument loaded = ParsePresetBytes(document.data(), document.size());
  EXPECT_EQ(loaded.outcome, ReadOutcome::Read);
  EXPECT_EQ(loaded.parsedBytes, loaded.textBytes);
  // An instruction before the root cannot end up inside it: no second scan is needed.
  const std::string header = OneSlicePreset("A");
  PrescanResult scan = PrescanXml(juce::String(header), kMaxPresetDepth, true);
  EXPECT_FALSE(scan.cuts.empty());
  EXPECT_FALSE(scan.recheckAfterCuts);
}

TEST(PresetReduction, NestingInUnreadMarkupCountsTowardsTheLimit) {
  const std::string head = "<XmlState><Unread>";
  for (int levels : {kMaxPresetDepth - 2, kMaxPresetDepth - 1}) {
    std::string document = head;
    for (int i = 0; i < levels; ++i) document += "<d>";
    for (int i = 0; i < levels; ++i) document += "</d>";
    document += "</Unread></XmlState>";
    LoadedDocument walked = ParsePresetBytes(document.data(), document.size());
    LoadedDocument whole = ParsePresetBytes(document.data(), document.size(), ParseScope::WholeText);
    EXPECT_EQ(walked.prescanDepth, levels + 2);
    EXPECT_EQ(walked.outcome, levels + 2 <= kMaxPresetDepth ? ReadOutcome::Read : ReadOutcome::TooDeep);
    EXPECT_EQ(walked.outcome, whole.outcome);
    EXPECT_EQ(walked.detail, whole.detail);
  }
}

TEST(PresetReduction, FixturesAndFuzzSeedsReadTheSameEitherWay) {
  std::vector<std::string> paths = FilesIn(std::string(MOSARO_TEST_DATA) + "/presets");
  for (const std::string& seed : FilesIn(std::string(MOSARO_TEST_DATA) + "/../fuzz/corpus/preset_reader"))
    paths.push_back(seed);
  ASSERT_GE(paths.size(), 12u);
  // As bytes, the way the reader takes them: a UTF-16 seed reaches the UTF-16 decoding.
  for (const std::string& path : paths) {
    std::string bytes;
    ASSERT_TRUE(caller::ReadBytes(std::filesystem::u8path(path), bytes)) << path;
    ExpectSameReading(bytes, path);
  }

  // The host's own file loses three quarters of its text and none of its slices.
  std::string host = ReadFixture("host_preset.xml");
  LoadedDocument walked = ParsePresetBytes(host.data(), host.size());
  ASSERT_EQ(walked.outcome, ReadOutcome::Read);
  EXPECT_EQ(Slices(walked).size(), 6u);
  EXPECT_LT(walked.parsedBytes * 4, walked.textBytes);
}

// Presets of random pieces: the elements the walk reads with their attributes among others in any
// order, unread blocks, blanks of every kind, and now and then markup that is not plain or a fault.
class RandomPreset {
 public:
  explicit RandomPreset(uint32_t seed) : state(seed) {}

  std::string Make() {
    std::string s = Pick(3) == 0 ? "<?xml version=\"1.0\"?>" + Blank() : "";
    s += "<XmlState" + Attributes({}) + ">" + Blank() + "<ScreenSetup>" + Noise() + "<screens>";
    for (int screen = Pick(3); screen >= 0; --screen) {
      s += Blank() + "<Screen" + Attributes({"name=\"S\""}) + ">" + Noise() + "<layers>";
      for (int slice = Pick(4); slice >= 0; --slice) s += Blank() + Slice();
      s += Blank() + "</layers>" + Noise() + "</Screen>";
    }
    return s + Blank() + "</screens></ScreenSetup>" + Blank() + "</XmlState>\n";
  }

 private:
  size_t Pick(size_t n) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % n;
  }
  std::string Blank() {
    static const char* const blanks[] = {"", "", " ", "\n", "\r\n  ", "\t", "\v", "\n\n    "};
    return blanks[Pick(8)];
  }
  std::string Attributes(std::vector<std::string> read) {
    static const char* const others[] = {"uniqueId=\"7\"", "T=\"STRING\"", "default=''", "name=\"x\"",
                                         "value='w'", "a = \"1\"", "x=\"3\"", "b=\"&amp;\""};
    for (size_t n = Pick(4); n > 0; --n) read.insert(read.begin() + Pick(read.size() + 1), others[Pick(8)]);
    // After a quoted value the parser needs no blank before the next attribute.
    std::string s;
    for (const std::string& attribute : read) s += (!s.empty() && Pick(5) == 0 ? "" : Pick(4) == 0 ? "\n  " : " ") + attribute;
    return s + Blank();
  }
  std::string Noise() {
    static const char* const noise[] = {"<!-- c -->", "<?pi?>", "<W a=\"1\"><x/><y>t</y></W>", "<![CDATA[<v/>]]>",
                                        "text", "<Cut a=b/>", "&lt;", "<D><d><d/></d></D>", "<E a=\"&quot;\"/>"};
    static const char* const faults[] = {"<F b c=\"1\"/>", "<?pi?>text"};
    if (Pick(60) == 0) return faults[Pick(2)];
    return Pick(3) == 0 ? Blank() + noise[Pick(9)] + Blank() : Blank();
  }
  std::string Rect(const char* tag) {
    std::string s = std::string("<") + tag + Attributes({}) + ">";
    for (size_t corner = 3 + Pick(3); corner > 0; --corner)
      s += Noise() + "<v" + Attributes({"x=\"1\"", "y=\"2\""}) + (Pick(4) == 0 ? "><w/></v>" : "/>");
    return s + Blank() + "</" + tag + ">";
  }
  std::string Slice() {
    std::vector<std::string> children = {Rect("InputRect"), Rect(Pick(2) == 0 ? "OutputRect" : "outputrect"),
                                         "<Warper><Params name=\"Common\"><v/></Params></Warper>"};
    if (Pick(4) != 0) {
      std::string common = "<Params" + Attributes({"name=\"Common\""}) + ">" + Noise() + "<Param name=\"Enabled\"/>";
      common += Blank() + "<Param" + Attributes({"name=\"Name\"", "value=\"N\""});
      common += Pick(3) == 0 ? "><x/></Param>" : "/>";
      children.insert(children.begin() + Pick(children.size() + 1), common + Blank() + "</Params>");
    }
    std::string s = "<Slice" + Attributes({}) + ">";
    while (!children.empty()) {
      const size_t at = Pick(children.size());
      s += Noise() + children[at];
      children.erase(children.begin() + at);
    }
    return s + Blank() + "</Slice>";
  }

  uint32_t state;
};

TEST(PresetReduction, RandomPresetsReadTheSameEitherWay) {
  size_t read = 0, reduced = 0;
  for (uint32_t seed = 1; seed <= 400; ++seed) {
    const std::string document = RandomPreset(seed).Make();
    ExpectSameReading(document, "seed " + std::to_string(seed) + ": " + document);
    LoadedDocument walked = ParsePresetBytes(document.data(), document.size());
    if (walked.outcome == ReadOutcome::Read) ++read;
    if (walked.parsedBytes < walked.textBytes) ++reduced;
    if (HasFailure()) break;
  }
  // Documents that parse and documents that fail are both many, and most are reduced before parsing.
  EXPECT_GT(read, 100u);
  EXPECT_GT(400 - read, 100u);
  EXPECT_GT(reduced, 200u);
}

TEST(PresetReduction, CutsThatMeetAreMadeInTurnUpToTheEnd) {
  // An attribute, then the content that "/>" replaces, then the last byte of the text.
  const std::vector<TextCut> cuts = {{2, 8, false}, {8, 17, true}, {17, 18, false}};
  EXPECT_EQ(ApplyCuts(juce::String("<a x=\"1\"><b/></a>\n"), cuts), "<a/>");
  char text[] = "<a x=\"1\"><b/></a>\n";
  EXPECT_EQ(ApplyCutsInPlace(text, std::strlen(text), cuts), 4u);
  EXPECT_STREQ(text, "<a/>");
  EXPECT_EQ(ApplyCutsInPlace(text, 4, {}), 4u);
  EXPECT_STREQ(text, "<a/>");
}

TEST(PresetReduction, AHostFileWithFaultsAroundEachElementReadsTheSameEitherWay) {
  // Around each childless element of a real preset in turn, bytes that make the parser decide
  // about what comes before the element by looking into it; the bytes after the element make the
  // decision come out otherwise if the element were left out.
  struct Around {
    const char* replacingGt;  // replaces the '>' before the element, if not null
    const char* before;
    const char* after;
  };
  const Around faults[] = {{" y= ", "", "\"2\">"}, {" /", "", ">"}, {"", "< ", "v/>"}, {"", "<![CD", "ATA[<a>]]>"},
                           {"", "&#", "5"}, {"", "<?pi?>", "x"}};
  const std::string host = ReadFixture("host_preset.xml");
  int elements = 0;
  for (size_t at = host.find('<', 1); at != std::string::npos; at = host.find('<', at + 1)) {
    const size_t end = host.find("/>", at);
    if (!std::isalpha(static_cast<unsigned char>(host[at + 1])) || end == std::string::npos ||
        host.find('<', at + 1) < end)
      continue;
    ++elements;
    const size_t gt = host.rfind('>', at);
    for (const Around& fault : faults) {
      std::string mutated = host.substr(0, end + 2) + fault.after + host.substr(end + 2);
      mutated.insert(at, fault.before);
      if (fault.replacingGt != nullptr && *fault.replacingGt != 0) mutated.replace(gt, 1, fault.replacingGt);
      ExpectSameReading(mutated, std::string(fault.before) + "|" + fault.after + " around byte " + std::to_string(at));
    }
    if (HasFailure()) break;
  }
  EXPECT_GT(elements, 90);
}

TEST(PlainMarkup, ContentEndsAtItsCloseTagOrStopsAtWhatIsNotPlain) {
  const char* nested = "<a x='1\">' y = \"2'/>\"><b\r\n/>text</a>\n</e>rest";
  PlainContent content = ScanPlainContent(nested);
  ASSERT_NE(content.end, nullptr);
  EXPECT_STREQ(content.end, "rest");
  EXPECT_EQ(content.levels, 2);
  EXPECT_EQ(ScanPlainContent("</e>").levels, 0);

  struct Stop {
    const char* content;
    size_t at;
  };
  for (const Stop& s : {Stop{"ab&amp;</e>", 2}, Stop{"<!-- c --></e>", 0}, Stop{"<a/><?pi?></e>", 4},
                        Stop{"<a b=c/></e>", 0}, Stop{"<a b='&lt;'/></e>", 0}, Stop{"< a/></e>", 0},
                        Stop{"<a></e", 3}, Stop{"<a b='1></e>", 0}, Stop{"<\xC3\xA9/></e>", 0}, Stop{"text", 4},
                        Stop{"<a b=\"1\" / ></e>", 0}, Stop{"<a b c=\"1\"/></e>", 0}, Stop{"<a\vb=\"1\"/></e>", 0},
                        Stop{"<a b=\"1\"c/></e>", 0}, Stop{"<a/><b x='\"' y=\"&#1;\"/></e>", 4}}) {
    PlainContent stopped = ScanPlainContent(s.content);
    EXPECT_EQ(stopped.end, nullptr) << s.content;
    EXPECT_EQ(stopped.stop - s.content, static_cast<long>(s.at)) << s.content;
  }
}

}  // namespace
