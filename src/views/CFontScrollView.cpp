#include "views/CFontScrollView.h"

#include "views/PixelFont.h"

#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace Pellora::Views {

namespace {

const QColor kSelectionTint(0, 0, 255, 128);

std::vector<FontFace> ReadFaces(const QString& family)
{
    std::vector<FontFace> faces;
    for (const QString& style : QFontDatabase::styles(family)) {
        const QFont font = QFontDatabase::font(family, style, 12);
        faces.push_back({style.toStdU16String(), font.stretch(), QFontDatabase::italic(family, style) ? 1 : 0,
            QFontDatabase::weight(family, style)});
    }
    return faces;
}

} // namespace

void SortByFamilyName(FontList& fonts)
{
    std::sort(fonts.begin(), fonts.end(), [](const auto& a, const auto& b) { return a->FamilyName < b->FamilyName; });
}

FontList ReadInstalledFonts()
{
    FontList fonts;
    for (const QString& family : QFontDatabase::families()) {
        // The database reports one name per family, so the row shows the name it is listed under.
        auto info = std::make_shared<FontInfo>();
        info->FamilyName = family.toStdU16String();
        info->DisplayName = info->FamilyName;
        info->Faces = ReadFaces(family);
        fonts.push_back(std::move(info));
    }
    SortByFamilyName(fonts);
    return fonts;
}

CFontScrollView::CFontScrollView(int dpi, QWidget* parent)
    : QAbstractScrollArea(parent), mDpiFactor(static_cast<float>(dpi) / 96.0f)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), [this] { viewport()->update(); });
}

void CFontScrollView::SetFonts(FontList fonts)
{
    mFonts = std::move(fonts);
    mFontsGiven = true;
    mRows = {};
}

void CFontScrollView::OnInitialUpdate()
{
    if (!mFontsGiven && mFonts.empty()) {
        mFonts = ReadInstalledFonts();
        mFontsGiven = true;
    }
    mSelection = 0;
    mScrollWidth = static_cast<std::int32_t>(180.0f * mDpiFactor);
    mScrollHeight = static_cast<std::int32_t>(static_cast<float>(mRowHeight * static_cast<int>(mFonts.size())) * mDpiFactor);
    UpdateScrollRange();
    viewport()->update();
}

void CFontScrollView::UpdateScrollRange()
{
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(viewport()->height());
    bar->setSingleStep(static_cast<int>(RowPixels()));
    bar->setRange(0, std::max(0, mScrollHeight - viewport()->height()));
}

void CFontScrollView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

bool CFontScrollView::SelectFontByName(const std::u16string& name)
{
    const auto found =
        std::find_if(mFonts.begin(), mFonts.end(), [&name](const auto& font) { return font->FamilyName == name; });
    if (found == mFonts.end()) {
        return false;
    }
    mSelection = static_cast<std::int32_t>(found - mFonts.begin());
    viewport()->update();
    return true;
}

std::u16string CFontScrollView::GetSelectedFontName() const
{
    if (mSelection < 0 || mSelection >= static_cast<std::int32_t>(mFonts.size())) {
        return {};
    }
    return mFonts[static_cast<std::size_t>(mSelection)]->FamilyName;
}

void CFontScrollView::ScrollTo(int y)
{
    verticalScrollBar()->setValue(y);
}

void CFontScrollView::DrawRows()
{
    const qreal ratio = devicePixelRatioF();
    mRows = QImage(QSize(mScrollWidth, mScrollHeight) * ratio, QImage::Format_ARGB32_Premultiplied);
    mRows.setDevicePixelRatio(ratio);
    mRows.fill(Qt::white);
    QPainter painter(&mRows);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    const qreal height = mScrollHeight;
    for (std::size_t i = 0; i < mFonts.size(); ++i) {
        const QString name = QString::fromStdU16String(mFonts[i]->DisplayName);
        painter.setFont(PixelFont(name, TextPixels(), QFont::Normal, mRows));
        const qreal top = static_cast<qreal>(i) * RowPixels();
        painter.drawText(QRectF(0, top, mScrollWidth, height - top), Qt::AlignLeft | Qt::AlignTop, name);
    }
    ++mRowPaintings;
}

void CFontScrollView::paintEvent(QPaintEvent*)
{
    if (mScrollHeight > 0 && (mRows.isNull() || mRows.devicePixelRatio() != devicePixelRatioF())) {
        DrawRows();
    }
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
    const int scroll = verticalScrollBar()->value();
    if (!mRows.isNull()) {
        painter.drawImage(QPoint(0, -scroll), mRows);
    }
    if (mSelection != -1 && !mFonts.empty()) {
        painter.fillRect(QRectF(0, static_cast<qreal>(mSelection) * RowPixels() - scroll, viewport()->width(), RowPixels()),
            kSelectionTint);
    }
}

void CFontScrollView::ClickAt(QPoint viewportPoint)
{
    const float y = static_cast<float>(verticalScrollBar()->value() + viewportPoint.y());
    const auto row = static_cast<std::int32_t>(y / RowPixels());
    mSelection = row < 0 || row >= static_cast<std::int32_t>(mFonts.size()) ? 0 : row;
    if (mSelectionCallback) {
        mSelectionCallback();
    }
    viewport()->update();
}

void CFontScrollView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        ClickAt(event->position().toPoint());
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

} // namespace Pellora::Views
