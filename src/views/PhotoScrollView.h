#pragma once

#include "project/ProjectSettings.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;

namespace Pellora::Views {

// One photo's square in the strip.
struct Cell {
    std::int32_t Id = 0; // equals PhotoInfo.Id
    std::u16string ThumbnailPath;
    QImage NormalBitmap;   // made on first draw
    QImage SelectedBitmap; // made on first draw
    std::int32_t Column = 0;
    std::int32_t Row = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    bool Selected = false;
    std::int32_t CircleCount = 0;
    bool HasEndCredit = false;
    std::int32_t ImageLeft = 0;
    std::int32_t ImageTop = 0;
    std::int32_t ImageWidth = 0;
    std::int32_t ImageHeight = 0;
    std::u16string PhotoPath;
};

// How the strip reaches the main window's photo list; the strip keeps no photo data of its own.
struct PhotoListCallbacks {
    std::function<void(std::int32_t id)> deleteById;
    std::function<std::u16string(std::int32_t id)> pathById;
    std::function<const CirclesInfo&(const std::u16string& path)> circlesByPath;
    std::function<void(const std::u16string& path, const CirclesInfo& circles)> setCircles;
    std::function<EndCreditInfo(const std::u16string& path)> endCreditByPath;
    std::function<void(const EndCreditInfo& credit)> setEndCredit;
    std::function<const PhotoInfo&(const std::u16string& path)> photoByPath;
};

// The horizontal strip of photo thumbnails: one square cell per photo in show order, a selection,
// the Delete key and a context menu, and markers for circle centres and end credits.
class PhotoScrollView : public QAbstractScrollArea {
    Q_OBJECT

public:
    // Cells are 100 x dpi / 96 pixels square.
    explicit PhotoScrollView(int dpi, QWidget* parent = nullptr);

    void SetCallbacks(PhotoListCallbacks callbacks) { mCallbacks = std::move(callbacks); }
    void AddCell(std::int32_t id, const std::u16string& thumbnailPath, const std::u16string& photoPath);
    // Reports the removal through the delete callback, then drops the cell and renumbers the rest.
    void RemoveCell(std::int32_t id);
    void RemoveAllCells();

    // The context menu's commands; the main window's buttons call the same.
    void DeleteSelectedImage();
    void AddExpandCircleEffect();
    void AddEndCreditText();

    const std::vector<std::shared_ptr<Cell>>& Cells() const { return mCells; }
    // Empty when nothing was selected (a click outside every cell keeps the previous one).
    const std::shared_ptr<Cell>& SelectedCell() const { return mSelected; }
    int CellSize() const { return mCellSize; }
    // Selects the cell under a point of the viewport.
    void SelectAt(QPoint viewportPoint);
    // The picture of the whole strip as drawn, for tests and screenshots.
    QImage RenderStrip();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Renumber();
    void UpdateScrollRange();
    void DrawStrip(QPainter& painter);
    void DrawCell(QPainter& painter, Cell& cell);
    void RefreshMarkers(Cell& cell) const;
    bool HasSelection() const;

    std::vector<std::shared_ptr<Cell>> mCells;
    std::shared_ptr<Cell> mSelected;
    int mCellSize;
    PhotoListCallbacks mCallbacks;
};

// Builds the two cell pictures and the thumbnail's place inside the cell.
void PrepareCellBitmaps(Cell& cell);

} // namespace Pellora::Views
