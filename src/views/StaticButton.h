#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include <functional>

namespace Pellora::Views {

// A picture button: a rounded white face with a glyph, a brighter glyph under the mouse and a pale
// one when disabled. The three faces are painted once per size and DPI and reused.
class StaticButton : public QWidget {
    Q_OBJECT

public:
    enum Kind { Play = 0, Stop = 1, Pause = 2, FilmStrip = 3 };

    explicit StaticButton(QWidget* parent = nullptr);

    // DPI factor dpi / 96 scales the outline width and the face's corner radius.
    void SetDpi(float dpi);
    void SetAction(std::function<void()> action) { mAction = std::move(action); }
    void SetKind(int kind);
    // Disabled buttons ignore clicks and show the pale glyph.
    void SetEnabled(bool enabled);
    bool IsEnabled() const { return mEnabled; }
    bool IsHovering() const { return mHover; }

    int CornerRadius() const { return mCornerRadius; }
    float OutlineWidth() const { return mOutlineWidth; }
    // Side of the glyph square in pixels for the current size and hover state.
    float GlyphSide() const;

    QSize sizeHint() const override { return {60, 50}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const QImage& Face();
    QImage PaintFace(QColor glyph, bool smooth) const;
    void PaintGlyph(QPainter& painter, QColor glyph) const;
    void PaintFilmStrip(QPainter& painter, QRectF square, QColor glyph) const;
    void DropFaces();

    std::function<void()> mAction;
    bool mEnabled = true;
    int mKind = Play;
    QImage mNormalFace;
    QImage mDisabledFace;
    QImage mHoverFace;
    QColor mBackgroundColor = QColor::fromRgba(0xFF007FB8);
    QColor mFaceColor = QColor::fromRgba(0xFFFFFFFF);
    QColor mDisabledGlyphColor = QColor::fromRgba(0xFFFFDAE7);
    QColor mNormalGlyphColor = QColor::fromRgba(0xFF00A8EE);
    QColor mHoverGlyphColor = QColor::fromRgba(0xFF00BFFF);
    float mScale = 1.0f;
    float mLabelCornerRadius = 2.0f;
    int mCornerRadius = 10;
    float mOutlineWidth = 3.0f;
    float mDpi = 96.0f;
    bool mHover = false;
};

} // namespace Pellora::Views
