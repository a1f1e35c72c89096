#pragma once

#include <QWidget>

#include <string>

namespace Pellora::Views {

// The text preview of the end-credit dialog: the text in the chosen family on white inside a black
// outline, centred both ways when asked. The size is in pixels at 96 DPI, scaled by the window's DPI.
class TextDisplayStatic : public QWidget {
    Q_OBJECT

public:
    explicit TextDisplayStatic(QWidget* parent = nullptr);

    void SetFontName(const std::u16string& fontName) { mFontName = fontName; }
    void SetText(const std::u16string& text) { mText = text; }
    void SetBold(bool bold) { mBold = bold; }
    void SetCentred(bool centred) { mCentred = centred; }
    void SetFontSize(float fontSize) { mFontSize = fontSize; }
    void SetOutlineWidth(float outlineWidth) { mOutlineWidth = outlineWidth; }

    const std::u16string& FontName() const { return mFontName; }
    const std::u16string& Text() const { return mText; }
    bool Bold() const { return mBold; }
    // The font the text is drawn in at the window's DPI.
    QFont TextFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    float DpiFactor() const;

    std::u16string mFontName;
    std::u16string mText;
    bool mCentred = false;
    float mOutlineWidth = 1.0f;
    float mFontSize = 26.0f;
    bool mBold = false;
};

} // namespace Pellora::Views
