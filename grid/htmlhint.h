#pragma once
// The grid's hint window: a small frameless window above all others that
// shows its text as mini-HTML, measured at most kMaxHintWidth pixels wide,
// and keeps itself on the screen.
#include "platform/graphics.h"
#include "platform/types.h"

#include <QString>
#include <QWidget>

class THTMLPictureCache;
class TPictureContainer;

class THTMLHintWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxHintWidth = 1008;

    explicit THTMLHintWindow(QWidget* AOwner = nullptr);

    // The hint colour (the grid's HintColor).
    TColor Color = clInfoBk;
    // Pictures the markup may name.
    TImageList* Images = nullptr;
    TPictureContainer* PictureContainer = nullptr;
    THTMLPictureCache* PictureCache = nullptr;
    TColor URLColor = clBlue;

    // The text shown; a change repaints.
    QString Caption() const { return caption_; }
    void SetCaption(const QString& Value);

    // The measured size of Hint when no line may be wider than MaxWidth:
    // a rectangle at (0, 0).
    TRect CalcHintRect(int MaxWidth, const QString& Hint) const;
    // Shows Hint at the top-left of ARect (screen coordinates): as wide as
    // the text + 16 and as high as it + 4, moved left or up to end 2 pixels
    // inside the screen where it would leave it, without taking the focus.
    void ActivateHint(const TRect& ARect, const QString& Hint);

    // The size of the text now shown.
    int TextWidth() const { return textWidth_; }
    int TextHeight() const { return textHeight_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // While shown, a key, a mouse button or the wheel anywhere in the
    // application hides the hint, as tool tips go.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TRect screenRect(const TRect& wanted) const;

    QString caption_;
    int textWidth_ = 0;
    int textHeight_ = 0;
};
