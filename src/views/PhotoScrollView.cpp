#include "views/PhotoScrollView.h"

#include "project/Paths.h"
#include "views/CircleDlg.h"
#include "views/CircleImageStatic.h"
#include "views/EndCreditDlg.h"
#include "views/MessageBox.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace Pellora::Views {

namespace {

const QColor kSelectedTint = QColor::fromRgba(0x780D92FF);
const QColor kBelowStrip = QColor::fromRgba(0xFF808080);
const QColor kCircleMarker = QColor::fromRgba(0xFF0000FF);
const QColor kEndCreditMarker = QColor::fromRgba(0xFFFF4500);
const QString kNoSelection = QStringLiteral("No photo is selected.\nPlease select a photo first.");

QImage CellPicture(const Cell& cell, const QImage& thumbnail, bool selected)
{
    QImage picture(cell.Width, cell.Height, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!thumbnail.isNull()) {
        painter.drawImage(QRect(cell.ImageLeft, cell.ImageTop, cell.ImageWidth, cell.ImageHeight), thumbnail);
    }
    if (selected) {
        painter.fillRect(picture.rect(), kSelectedTint);
    }
    return picture;
}

} // namespace

void PrepareCellBitmaps(Cell& cell)
{
    QImage thumbnail;
    if (!cell.ThumbnailPath.empty()) {
        thumbnail.load(QString::fromStdU16String(cell.ThumbnailPath));
    }
    const int w = thumbnail.width();
    const int h = thumbnail.height();
    if (w > 0 && h > 0 && w < h) {
        const int l = cell.Height * w / h;
        cell.ImageLeft = (cell.Width - l) / 2 + 1;
        cell.ImageTop = 1;
        cell.ImageWidth = l - 2;
        cell.ImageHeight = cell.Height - 2;
    } else if (w > 0 && h > 0) {
        const int l = cell.Width * h / w;
        cell.ImageLeft = 1;
        cell.ImageTop = (cell.Height - l) / 2 + 1;
        cell.ImageWidth = cell.Width - 2;
        cell.ImageHeight = l - 2;
    } else {
        // A thumbnail that cannot be loaded leaves the cell blank; markers sit in its frame.
        cell.ImageLeft = 1;
        cell.ImageTop = 1;
        cell.ImageWidth = cell.Width - 2;
        cell.ImageHeight = cell.Height - 2;
    }
    cell.NormalBitmap = CellPicture(cell, thumbnail, false);
    cell.SelectedBitmap = CellPicture(cell, thumbnail, true);
}

PhotoScrollView::PhotoScrollView(int dpi, QWidget* parent)
    : QAbstractScrollArea(parent), mCellSize(100 * dpi / 96)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    horizontalScrollBar()->setSingleStep(mCellSize / 4);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(), [this] { viewport()->update(); });
}

QSize PhotoScrollView::sizeHint() const
{
    return {mCellSize * 6, mCellSize + 4 + horizontalScrollBar()->sizeHint().height()};
}

void PhotoScrollView::AddCell(std::int32_t id, const std::u16string& thumbnailPath, const std::u16string& photoPath)
{
    auto cell = std::make_shared<Cell>();
    cell->Id = id;
    cell->ThumbnailPath = thumbnailPath;
    cell->PhotoPath = photoPath;
    cell->Column = static_cast<std::int32_t>(mCells.size());
    cell->Width = mCellSize;
    cell->Height = mCellSize;
    mCells.push_back(std::move(cell));
    Renumber();
}

void PhotoScrollView::RemoveCell(std::int32_t id)
{
    if (mCallbacks.deleteById) {
        mCallbacks.deleteById(id);
    }
    std::erase_if(mCells, [id](const std::shared_ptr<Cell>& cell) { return cell->Id == id; });
    if (mSelected && mSelected->Id == id) {
        mSelected.reset();
    }
    Renumber();
}

void PhotoScrollView::RemoveAllCells()
{
    for (const auto& cell : mCells) {
        if (mCallbacks.deleteById) {
            mCallbacks.deleteById(cell->Id);
        }
    }
    mCells.clear();
    mSelected.reset();
    Renumber();
}

void PhotoScrollView::Renumber()
{
    for (std::size_t i = 0; i < mCells.size(); ++i) {
        mCells[i]->Column = static_cast<std::int32_t>(i);
        mCells[i]->Row = 0;
    }
    UpdateScrollRange();
    viewport()->update();
}

void PhotoScrollView::UpdateScrollRange()
{
    const int stripWidth = mCellSize * static_cast<int>(mCells.size());
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(0, stripWidth - viewport()->width()));
}

void PhotoScrollView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

bool PhotoScrollView::HasSelection() const
{
    return mSelected != nullptr;
}

void PhotoScrollView::SelectAt(QPoint viewportPoint)
{
    const QPoint point = viewportPoint + QPoint(horizontalScrollBar()->value(), 0);
    for (const auto& cell : mCells) {
        const QRect area(cell->Column * cell->Width, cell->Row * cell->Height, cell->Width, cell->Height);
        cell->Selected = area.contains(point);
        if (cell->Selected) {
            mSelected = cell;
        }
    }
    viewport()->update();
}

void PhotoScrollView::DeleteSelectedImage()
{
    if (mSelected) {
        const std::int32_t id = mSelected->Id;
        mSelected.reset();
        RemoveCell(id);
    }
}

void PhotoScrollView::AddExpandCircleEffect()
{
    if (!HasSelection()) {
        ShowMessage(this, kNoSelection, QStringLiteral("Error"), QMessageBox::Information);
        return;
    }
    if (!mCallbacks.pathById || !mCallbacks.circlesByPath || !mCallbacks.setCircles) {
        return;
    }
    const std::shared_ptr<Cell> cell = mSelected;
    CirclesInfo circles = mCallbacks.circlesByPath(cell->PhotoPath);
    CircleDlg dialog(this);
    dialog.SetPhotoPath(mCallbacks.pathById(cell->Id));
    dialog.SetPoints(circles.Points);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    circles.Points.clear();
    for (const QPoint spot : dialog.Preview()->Spots()) {
        circles.Points.push_back(SpotToCirclePoint(spot, dialog.Preview()->Placement()));
    }
    circles.ImagePath = cell->PhotoPath;
    cell->CircleCount = static_cast<std::int32_t>(circles.Points.size());
    mCallbacks.setCircles(cell->PhotoPath, circles);
    viewport()->update();
}

void PhotoScrollView::AddEndCreditText()
{
    if (!HasSelection()) {
        ShowMessage(this, kNoSelection, QStringLiteral("Error"), QMessageBox::Information);
        return;
    }
    if (!mCallbacks.pathById || !mCallbacks.endCreditByPath || !mCallbacks.setEndCredit) {
        return;
    }
    const std::u16string photoPath = mCallbacks.pathById(mSelected->Id);
    EndCreditInfo credit = mCallbacks.endCreditByPath(photoPath);
    // A photo added in this session has no record yet; the stored one must name its photo.
    credit.ImagePath = photoPath;
    EndCreditDlg dialog(this);
    dialog.SetPhotoPath(photoPath);
    dialog.SetRecord(credit);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    mCallbacks.setEndCredit(dialog.Record());
    viewport()->update();
}

void PhotoScrollView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        SelectAt(event->position().toPoint());
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void PhotoScrollView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete) {
        DeleteSelectedImage();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void PhotoScrollView::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() == QContextMenuEvent::Mouse) {
        SelectAt(event->pos()); // viewport coordinates, as for every mouse event here
    }
    QMenu menu(this);
    menu.addAction(QStringLiteral("Delete Image"), this, &PhotoScrollView::DeleteSelectedImage);
    menu.addAction(QStringLiteral("Delete All Images"), this, &PhotoScrollView::RemoveAllCells);
    menu.addAction(QStringLiteral("Add Expand Circle Effect"), this, &PhotoScrollView::AddExpandCircleEffect);
    menu.addAction(QStringLiteral("Add End Credit Text"), this, &PhotoScrollView::AddEndCreditText);
    menu.exec(event->globalPos());
}

void PhotoScrollView::RefreshMarkers(Cell& cell) const
{
    if (!mCallbacks.photoByPath) {
        return;
    }
    const PhotoInfo& photo = mCallbacks.photoByPath(cell.PhotoPath);
    cell.CircleCount = static_cast<std::int32_t>(photo.Circles.Points.size());
    cell.HasEndCredit = !photo.EndCredit.FontName.empty();
}

void PhotoScrollView::DrawCell(QPainter& painter, Cell& cell)
{
    if (cell.NormalBitmap.isNull()) {
        PrepareCellBitmaps(cell);
    }
    const int x = cell.Column * cell.Width;
    const int y = cell.Row * cell.Height;
    painter.drawImage(QPoint(x, y), cell.Selected ? cell.SelectedBitmap : cell.NormalBitmap);
    const int markerY = y + cell.ImageTop + cell.ImageHeight - 15;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kCircleMarker, 2));
    for (int i = 0; i < std::min(cell.CircleCount, 2); ++i) {
        painter.drawEllipse(QRect(x + cell.ImageLeft + 3 + 15 * i, markerY, 12, 12));
    }
    if (cell.HasEndCredit) {
        const int markerX = x + cell.ImageLeft + cell.ImageWidth - 15;
        painter.setPen(Qt::NoPen);
        painter.setBrush(kEndCreditMarker);
        painter.drawEllipse(QRect(markerX, markerY, 12, 12));
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(11);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRect(markerX + 1, markerY, 12, 12), Qt::AlignCenter, QStringLiteral("E"));
    }
}

void PhotoScrollView::DrawStrip(QPainter& painter)
{
    const int stripWidth = mCellSize * static_cast<int>(mCells.size());
    painter.fillRect(QRect(0, 0, stripWidth, mCellSize), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const auto& cell : mCells) {
        RefreshMarkers(*cell);
        if (cell != mSelected) {
            DrawCell(painter, *cell);
        }
    }
    const auto selected = std::find(mCells.begin(), mCells.end(), mSelected);
    if (selected != mCells.end()) {
        DrawCell(painter, **selected);
    }
}

QImage PhotoScrollView::RenderStrip()
{
    QImage strip(std::max(1, mCellSize * static_cast<int>(mCells.size())), mCellSize, QImage::Format_ARGB32);
    strip.fill(Qt::white);
    QPainter painter(&strip);
    DrawStrip(painter);
    return strip;
}

void PhotoScrollView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int scroll = horizontalScrollBar()->value();
    const int stripWidth = mCellSize * static_cast<int>(mCells.size());
    painter.fillRect(viewport()->rect(), Qt::white);
    painter.fillRect(QRect(0, mCellSize + 4, std::max(viewport()->width(), stripWidth), viewport()->height()),
        kBelowStrip);
    painter.translate(-scroll, 0);
    DrawStrip(painter);
}

} // namespace Pellora::Views
