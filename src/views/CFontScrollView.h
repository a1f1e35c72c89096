#pragma once

#include <QAbstractScrollArea>
#include <QImage>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Pellora::Views {

// One font of a family as the font database reports it.
struct FontFace {
    std::u16string FaceName;
    std::int32_t Stretch = 0;
    std::int32_t Style = 0;
    std::int32_t Weight = 0;
};

// One installed font family. The list is sorted and searched by FamilyName; a row shows
// DisplayName written in that family.
struct FontInfo {
    std::u16string FamilyName;
    std::u16string DisplayName;
    std::vector<FontFace> Faces;
};

using FontList = std::vector<std::shared_ptr<FontInfo>>;

// Orders by FamilyName in UTF-16 code units, a shorter prefix first.
void SortByFamilyName(FontList& fonts);
// The installed families, sorted.
FontList ReadInstalledFonts();

// The vertically scrolling list of font families in which the end-credit dialog picks its font.
// The rows are drawn once into an off-screen picture; later paints copy it and tint the selected
// row blue. A click selects a row and calls the selection callback.
class CFontScrollView : public QAbstractScrollArea {
    Q_OBJECT

public:
    // Rows are 20 x dpi / 96 pixels high.
    explicit CFontScrollView(int dpi, QWidget* parent = nullptr);

    // Reads the installed fonts unless a list was given, selects the first row and sets the scroll size.
    void OnInitialUpdate();
    // Uses these fonts instead of the installed ones (kept sorted as given).
    void SetFonts(FontList fonts);

    // The first font whose FamilyName is exactly name becomes the selection; false leaves it alone.
    bool SelectFontByName(const std::u16string& name);
    // FamilyName of the selected font; empty when the list is empty.
    std::u16string GetSelectedFontName() const;
    void SetSelectionCallback(std::function<void()> callback) { mSelectionCallback = std::move(callback); }
    // Scrolls so that the view's top shows the point y of the list.
    void ScrollTo(int y);

    const FontList& Fonts() const { return mFonts; }
    std::int32_t Selection() const { return mSelection; }
    float DpiFactor() const { return mDpiFactor; }
    float RowPixels() const { return static_cast<float>(mRowHeight) * mDpiFactor; }
    float TextPixels() const { return mFontSize * mDpiFactor; }
    std::int32_t ScrollWidth() const { return mScrollWidth; }
    std::int32_t ScrollHeight() const { return mScrollHeight; }
    // How often the rows were drawn into the off-screen picture.
    int RowPaintings() const { return mRowPaintings; }
    // Selects the row under a point of the viewport, as a click does.
    void ClickAt(QPoint viewportPoint);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void DrawRows();
    void UpdateScrollRange();

    QImage mRows; // every row, scroll size at the device pixel ratio; made on the first paint
    std::int32_t mScrollWidth = 0;
    std::int32_t mScrollHeight = 0;
    std::int32_t mRowHeight = 20; // at 96 DPI
    float mFontSize = 15.0f;      // pixels at 96 DPI
    std::int32_t mSelection = 0;  // -1: no row is tinted
    FontList mFonts;
    bool mFontsGiven = false;
    std::function<void()> mSelectionCallback;
    float mDpiFactor;
    int mRowPaintings = 0;
};

} // namespace Pellora::Views
