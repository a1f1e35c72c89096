#include "views/CFontScrollView.h"

#include "WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Pellora::Views::CFontScrollView;
using Pellora::Views::FontInfo;
using Pellora::Views::FontList;

FontList Fonts(const std::vector<std::u16string>& names)
{
    FontList fonts;
    for (const auto& name : names) {
        fonts.push_back(std::make_shared<FontInfo>(FontInfo{name, name, {}}));
    }
    return fonts;
}

std::vector<std::u16string> Names(const FontList& fonts)
{
    std::vector<std::u16string> names;
    for (const auto& font : fonts) {
        names.push_back(font->FamilyName);
    }
    return names;
}

class CFontScrollViewTest : public ::testing::Test {
protected:
    CFontScrollViewTest()
    {
        mView.SetFonts(Fonts({u"Alpha", u"Beta", u"Gamma"}));
        mView.resize(210, 140);
        mView.OnInitialUpdate();
    }

    Pellora::Testing::UsesApp mApp;
    CFontScrollView mView{96};
};

TEST(FontListOrderTest, SortsByUtf16CodeUnitsWithTheShorterPrefixFirst)
{
    FontList fonts = Fonts({u"b", u"Zeta", u"ab", u"\u00C9cole", u"a", u"B", u"a b"});
    Pellora::Views::SortByFamilyName(fonts);
    EXPECT_EQ(Names(fonts), (std::vector<std::u16string>{u"B", u"Zeta", u"a", u"a b", u"ab", u"b", u"\u00C9cole"}));
}

TEST(FontListOrderTest, InstalledFontsAreListedSortedWithTheirFaces)
{
    Pellora::Testing::TestApp();
    const FontList fonts = Pellora::Views::ReadInstalledFonts();
    const std::vector<std::u16string> names = Names(fonts);
    ASSERT_FALSE(names.empty());
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    const auto dejaVu = std::find(names.begin(), names.end(), u"DejaVu Sans");
    ASSERT_NE(dejaVu, names.end()) << "fonts-dejavu-core is installed by the set-up";
    const FontInfo& info = *fonts[static_cast<std::size_t>(dejaVu - names.begin())];
    EXPECT_EQ(info.DisplayName, info.FamilyName);
    EXPECT_FALSE(info.Faces.empty());
}

TEST_F(CFontScrollViewTest, SelectFontByNameMatchesExactlyOrLeavesTheSelection)
{
    struct Case {
        const char* label;
        std::u16string name;
        bool found;
        std::int32_t selection;
    };
    const Case cases[] = {
        {"exact name", u"Gamma", true, 2},
        {"other case", u"beta", false, 2},
        {"prefix only", u"Gam", false, 2},
        {"first row", u"Alpha", true, 0},
        {"not installed", u"Arial", false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mView.SelectFontByName(c.name), c.found) << c.label;
        EXPECT_EQ(mView.Selection(), c.selection) << c.label;
        EXPECT_EQ(mView.GetSelectedFontName(), Names(mView.Fonts())[static_cast<std::size_t>(c.selection)]) << c.label;
    }
}

TEST_F(CFontScrollViewTest, ClicksSelectTheRowUnderThePointAndBelowTheLastRowTheFirst)
{
    int calls = 0;
    mView.SetSelectionCallback([&calls] { ++calls; });
    const std::pair<int, std::int32_t> clicks[] = {{45, 2}, {25, 1}, {100, 0}, {59, 2}, {61, 0}};
    for (const auto& [y, row] : clicks) {
        mView.ClickAt(QPoint(10, y));
        EXPECT_EQ(mView.Selection(), row) << "click at y " << y;
    }
    EXPECT_EQ(calls, 5);
}

TEST_F(CFontScrollViewTest, ScrolledClicksCountFromTheTopOfTheList)
{
    FontList many;
    for (int i = 0; i < 40; ++i) {
        many.push_back(std::make_shared<FontInfo>(FontInfo{u"Font" + std::u16string(1, static_cast<char16_t>(u'A' + i)), {}, {}}));
    }
    mView.SetFonts(many);
    mView.OnInitialUpdate();
    mView.ScrollTo(200);
    mView.ClickAt(QPoint(10, 5));
    EXPECT_EQ(mView.Selection(), 10);
}

TEST_F(CFontScrollViewTest, RowsAreDrawnOnceAndSelectingOnlyRepaintsTheTint)
{
    mView.show();
    mView.grab();
    ASSERT_EQ(mView.RowPaintings(), 1);
    mView.ClickAt(QPoint(10, 25));
    const QImage picture = mView.viewport()->grab().toImage();
    EXPECT_EQ(mView.RowPaintings(), 1);
    const QColor tinted = picture.pixelColor(150, 30);
    const QColor plain = picture.pixelColor(150, 50);
    EXPECT_EQ(plain, QColor(Qt::white));
    EXPECT_LT(tinted.red(), 160);
    EXPECT_GT(tinted.blue(), 200);
}

TEST(CFontScrollViewDpiTest, At144DpiRowsAre30PixelsAndTextsAre22AndAHalf)
{
    Pellora::Testing::TestApp();
    CFontScrollView view(144);
    view.SetFonts(Fonts({u"Alpha", u"Beta"}));
    view.OnInitialUpdate();
    EXPECT_FLOAT_EQ(view.RowPixels(), 30.0f);
    EXPECT_FLOAT_EQ(view.TextPixels(), 22.5f);
    EXPECT_EQ(view.ScrollWidth(), 270);
    EXPECT_EQ(view.ScrollHeight(), 60);
    view.ClickAt(QPoint(5, 31));
    EXPECT_EQ(view.Selection(), 1);
}

TEST(CFontScrollViewEmptyTest, AnEmptyFontListHasNoSelectedNameAndPaints)
{
    Pellora::Testing::TestApp();
    CFontScrollView view(96);
    view.SetFonts({});
    view.OnInitialUpdate();
    view.resize(100, 100);
    view.grab();
    view.ClickAt(QPoint(5, 5));
    EXPECT_EQ(view.Selection(), 0);
    EXPECT_TRUE(view.GetSelectedFontName().empty());
    EXPECT_FALSE(view.SelectFontByName(u"Arial"));
}

} // namespace
