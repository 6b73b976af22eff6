// Document objects: lookup, replacement and lifetime in containers, images found (or not) by
// documents and items, storing and loading, and list-marker numbers.
#include "tests/toolkit/richcontent/rich_test_support.h"
#include "toolkit/richcontent/rich_doc_objects.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using richtest::DocumentBuilder;
using richtest::Utf8;

namespace {

// An object that counts its destructions.
class CountedObject : public CExtRichDocObjectBase {
public:
    CountedObject(const RichString& name, int& deaths) : CExtRichDocObjectBase(name), m_deaths(deaths) {}
    ~CountedObject() override { ++m_deaths; }

private:
    int& m_deaths;
};

TEST(RichDocObjects, NamesAreNormalisedForEveryOperation) {
    CExtRichDocObjectContainer c(u"box");
    auto* image = new CExtRichDocObjectImage(u"  'Logo.PNG'. ");
    EXPECT_EQ(Utf8(image->GetName()), "logo.png");
    ASSERT_TRUE(c.Add(image, false));
    EXPECT_EQ(c.Find(u"LOGO.png"), image);
    EXPECT_EQ(c.Find(u"\"logo.png\""), image);
    EXPECT_EQ(c.Find(u" . "), nullptr);
    EXPECT_FALSE(c.Remove(u"'.'"));
    EXPECT_TRUE(c.Remove(u"Logo.png."));
    EXPECT_EQ(c.GetCount(), 0u);
    // Plain objects hold nothing and refuse additions (deleting what they were given).
    int deaths = 0;
    CExtRichDocObjectBase plain(u"x");
    EXPECT_FALSE(plain.Add(new CountedObject(u"y", deaths), false));
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(plain.Find(u"y"), nullptr);
    RichPosition pos = &plain;
    EXPECT_EQ(plain.GetNext(pos), nullptr);
    EXPECT_EQ(pos, nullptr);
}

TEST(RichDocObjects, ReplacementAndLifetime) {
    int deaths = 0;
    {
        CExtRichDocObjectContainer c;
        auto* first = new CountedObject(u"a", deaths);
        EXPECT_TRUE(c.Add(first, false));
        EXPECT_FALSE(c.Add(new CountedObject(u"A", deaths), false));  // refused and deleted
        EXPECT_EQ(deaths, 1);
        EXPECT_EQ(c.Find(u"a"), first);
        auto* second = new CountedObject(u"a", deaths);
        EXPECT_TRUE(c.Add(second, true));  // the first goes
        EXPECT_EQ(deaths, 2);
        EXPECT_EQ(c.Find(u"a"), second);
        EXPECT_FALSE(c.Add(new CountedObject(u"..", deaths), true));  // empty name
        EXPECT_FALSE(c.Add(nullptr, true));
        EXPECT_EQ(deaths, 3);
        c.Add(new CountedObject(u"b", deaths), false);
        c.Add(new CountedObject(u"c", deaths), false);
        // Walk in map order.
        std::string names;
        for (RichPosition pos = c.GetStartPosition(); pos;) names += Utf8(c.GetNext(pos)->GetName());
        EXPECT_EQ(names, "abc");
        EXPECT_TRUE(c.Remove(u"b"));
        EXPECT_EQ(deaths, 4);
    }
    EXPECT_EQ(deaths, 6);  // the container deletes what it holds
}

TEST(RichDocObjects, DocumentsFindImagesLocallyThenGlobally) {
    DocumentBuilder d;
    auto* global = new CExtRichDocObjectImage(u"shared.png");
    global->GetBitmap().Create(4, 3);
    ASSERT_TRUE(RichGlobalContainer().Add(global, true));
    EXPECT_EQ(d.doc.FindImage(u"Shared.png"), &global->GetBitmap());

    auto* local = new CExtRichDocObjectImage(u"shared.png");
    local->GetBitmap().Create(2, 2);
    d.doc.GetLocalContainer()->Add(local, false);
    EXPECT_EQ(d.doc.FindImage(u"shared.png"), &local->GetBitmap());  // the local one shadows

    // Missing images, empty ones and objects of another class answer null.
    d.doc.GetLocalContainer()->Add(new CExtRichDocObjectImage(u"empty.png"), false);
    d.doc.GetLocalContainer()->Add(new CExtRichDocObjectLayoutKeeper(u"sheet.css"), false);
    EXPECT_EQ(d.doc.FindImage(u"missing.png"), nullptr);
    EXPECT_EQ(d.doc.FindImage(u"empty.png"), nullptr);
    EXPECT_EQ(d.doc.FindImage(u"sheet.css"), nullptr);

    // Items find the image of their src attribute.
    CExtRichContentItem* img = d.Element(d.root, u"img");
    EXPECT_EQ(img->GetImage(), nullptr);  // no src
    img->AddAttribute(u"src", u"nowhere.png");
    EXPECT_EQ(img->GetImage(), nullptr);
    CExtRichContentItem* found = d.Element(d.root, u"img");
    found->AddAttribute(u"SRC", u"Shared.PNG");
    ASSERT_NE(found->GetImage(), nullptr);
    EXPECT_EQ(found->GetImage()->GetPixelSize(), (RichSize{2, 2}));

    // Measuring: a found image gives its size; a missing one leaves the declared size alone.
    EXPECT_TRUE(found->MeasureImage());
    EXPECT_EQ(found->m_nContentWidth, 2);
    EXPECT_EQ(found->m_nMinContentHeight, 2);
    EXPECT_EQ(found->m_nAscent, 2);
    img->m_nContentWidth = 40;
    img->m_nContentHeight = 30;
    EXPECT_FALSE(img->MeasureImage());
    EXPECT_EQ(img->m_nContentWidth, 40);
    EXPECT_EQ(img->m_nContentHeight, 30);
    EXPECT_TRUE(RichGlobalContainer().Remove(u"shared.png"));
}

TEST(RichDocObjects, BitmapsRefuseBadSizes) {
    RichBitmap b;
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_FALSE(b.Create(0, 5));
    EXPECT_FALSE(b.Create(-1, -1));
    EXPECT_FALSE(b.Create(RichBitmap::kMaxSide + 1, 1));
    EXPECT_TRUE(b.IsEmpty());
    ASSERT_TRUE(b.Create(3, 2));
    b.SetPixel(2, 1, 0xFF112233u);
    b.SetPixel(3, 1, 1);  // outside: ignored
    EXPECT_EQ(b.GetPixel(2, 1), 0xFF112233u);
    EXPECT_EQ(b.GetPixel(-1, 0), 0u);
}

std::vector<std::uint8_t> Store(CExtRichDocObjectBase* object) {
    CExtRichDocMemoryArchive out;
    SerializeDocObject(out, object);
    return out.Bytes();
}

TEST(RichDocObjects, ContainersStoreAndLoadTheirObjects) {
    CExtRichDocObjectContainer root(u"root");
    auto* image = new CExtRichDocObjectImage(u"dot.png");
    image->GetBitmap().Create(2, 1);
    image->GetBitmap().SetPixel(1, 0, 0x80FF0000u);
    image->SetAlpha(7);
    root.Add(image, false);
    auto* nested = new CExtRichDocObjectContainer(u"inner");
    nested->Add(new CExtRichDocObjectLayoutKeeper(u"empty.css"), false);
    root.Add(nested, false);

    CExtRichDocMemoryArchive in(Store(&root));
    CExtRichDocObjectBase* loaded = nullptr;
    SerializeDocObject(in, loaded);
    std::unique_ptr<CExtRichDocObjectBase> owner(loaded);
    ASSERT_NE(loaded, nullptr);
    ASSERT_TRUE(loaded->IsContainer());
    EXPECT_EQ(Utf8(loaded->GetName()), "root");
    EXPECT_EQ(loaded->GetCount(), 2u);
    auto* back = dynamic_cast<CExtRichDocObjectImage*>(loaded->Find(u"dot.png"));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetBitmap().GetPixelSize(), (RichSize{2, 1}));
    EXPECT_EQ(back->GetBitmap().GetPixel(1, 0), 0x80FF0000u);
    EXPECT_EQ(back->GetAlpha(), 255);  // the alpha is not stored
    CExtRichDocObjectBase* inner = loaded->Find(u"inner");
    ASSERT_NE(inner, nullptr);
    EXPECT_TRUE(inner->Find(u"empty.css") && inner->Find(u"empty.css")->IsLayoutKeeper());
}

TEST(RichDocObjects, AnEmptyContainerStoresItsNameAndFlagZeroOnly) {
    CExtRichDocObjectContainer empty(u"ab");
    CExtRichDocMemoryArchive out;
    empty.Serialize(out);
    const std::vector<std::uint8_t> expected = {2, 0, 0, 0, 'a', 0, 'b', 0, 0, 0, 0, 0};
    EXPECT_EQ(out.Bytes(), expected);
}

TEST(RichDocObjects, LoadingRefusesBadArchives) {
    CExtRichDocObjectContainer root(u"root");
    root.Add(new CExtRichDocObjectImage(u"i.png"), false);
    const std::vector<std::uint8_t> good = Store(&root);

    auto load = [](std::vector<std::uint8_t> bytes) {
        CExtRichDocMemoryArchive in(std::move(bytes));
        CExtRichDocObjectBase* object = nullptr;
        SerializeDocObject(in, object);
        delete object;
    };
    // Every truncation fails cleanly.
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_THROW(load(std::vector<std::uint8_t>(good.begin(), good.begin() + n)), RichDocArchiveError) << n;
    // An unknown class.
    CExtRichDocMemoryArchive bad;
    bad.WriteClassName("CWhatever");
    bad.WriteString(u"x");
    EXPECT_THROW(load(bad.Bytes()), RichDocArchiveError);
    // A huge image size.
    CExtRichDocMemoryArchive huge;
    huge.WriteClassName("CExtRichDocObjectImage");
    huge.WriteString(u"big");
    huge.WriteInt32(0);
    huge.WriteInt32(1 << 30);
    huge.WriteInt32(1 << 30);
    EXPECT_THROW(load(huge.Bytes()), RichDocArchiveError);
    // Containers nested without end.
    CExtRichDocMemoryArchive deep;
    for (int i = 0; i < 1000; ++i) {
        deep.WriteClassName("CExtRichDocObjectContainer");
        deep.WriteString(u"c" + rich::FromAscii(std::to_string(i).c_str()));
        deep.WriteInt32(1);
        deep.WriteInt32(1);
    }
    EXPECT_THROW(load(deep.Bytes()), RichDocArchiveError);
}

TEST(RichListNumbers, MarkerTextsPerType) {
    struct Case {
        int type, number;
        bool fallback;
        const char* text;
    } cases[] = {
        {RichCode::ListDecimal, 42, false, "42"},
        {RichCode::ListDecimalLeadingZero, 7, false, "07"},
        {RichCode::ListDecimalLeadingZero, 123, false, "123"},
        {RichCode::ListLowerAlpha, 28, false, "ab"},
        {RichCode::ListUpperLatin, 26, false, "Z"},
        {RichCode::ListUpperAlpha, 27, false, "AA"},
        {RichCode::ListLowerLatin, 702, false, "zz"},
        {RichCode::ListUpperAlpha, 703, false, "AAA"},
        {RichCode::ListLowerAlpha, 0, true, "0"},
        {RichCode::ListLowerAlpha, -3, false, ""},
        {RichCode::ListUpperRoman, 1994, false, "MCMXCIV"},
        {RichCode::ListLowerRoman, 4000, false, "mmmm"},
        {RichCode::ListLowerRoman, 49, false, "xlix"},
        {RichCode::ListUpperRoman, 4001, true, "4001"},
        {RichCode::ListUpperRoman, 4001, false, ""},
        {RichCode::ListUpperRoman, 0, true, "0"},
        {RichCode::ListDisc, 5, true, ""},
        {RichCode::ListNone, 5, true, ""},
        {-1, 5, true, ""},
        {12, 5, true, "5"},
        {12, 5, false, ""},
        {-2, 5, true, "5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8(FormatListNumber(c.type, c.number, c.fallback)), c.text) << c.type << "/" << c.number;
    EXPECT_EQ(Utf8(FormatAlphabetic(0, u"xy", true)), "0");
    EXPECT_EQ(Utf8(FormatAlphabetic(5, u"xy", false)), "yx");  // x, y, xx, xy, yx
    EXPECT_EQ(Utf8(FormatAlphabetic(5, u"", false)), "");
    EXPECT_EQ(Utf8(FormatRoman(3888, true, false)), "MMMDCCCLXXXVIII");
}

}  // namespace
