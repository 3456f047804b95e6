// The grid control's window life: the window made on first show and ended,
// loading, the 500 ms timer, the owner form's resizes, and the platform
// checks made at creation (visual styles, wheel, library versions).
#include "grid/extgrid.h"
#include "grid/esgcheck.h"
#include "grid/picturecontainer.h"

#include "grid/extxpvs.h"
#include "platform/application.h"
#include "platform/forms.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTimerEvent>

#include <cmath>

void TExtStringGrid::Loaded()
{
    loading_ = false;
    designCursor_ = cursor_;
    ApplyColumnHeaders();
    ApplyRowHeaders();
    LinkCursor = crHandPoint;
    // A registered drop target takes the formats set with the grid's
    // properties.
    ApplyDropFormats();
    if (columnSize_->Save)
        LoadColumnSizes();
}

void TExtStringGrid::Notification(const void* AComponent)
{
    if (!AComponent)
        return;
    // The hint window may be showing pictures of the component as well.
    if (AComponent == gridImages_) {
        componentLinks_.Unlink(std::exchange(gridImages_, nullptr));
        if (hintWindow_ && hintWindow_->Images == AComponent)
            hintWindow_->Images = nullptr;
    }
    if (AComponent == pictureContainer_) {
        componentLinks_.Unlink(std::exchange(pictureContainer_, nullptr));
        if (hintWindow_ && hintWindow_->PictureContainer == AComponent)
            hintWindow_->PictureContainer = nullptr;
    }
    if (AComponent == cellChecker_)
        componentLinks_.Unlink(std::exchange(cellChecker_, nullptr));
}

void TExtStringGrid::CreateWnd()
{
    windowCreated_ = true;
    if (!parentWidget())
        return;
    if (!ownerForm_)
        HookOwnerForm();
    // The measuring control stays out of sight: no size, no frame, nothing
    // of its own painted.
    hiddenRichEdit_->hide();
    hiddenRichEdit_->setGeometry(0, 0, 0, 0);
    hiddenRichEdit_->setFrameShape(QFrame::NoFrame);
    hiddenRichEdit_->setAutoFillBackground(false);
    hiddenRichEdit_->viewport()->setAutoFillBackground(false);
    if (floatingFooter_->Visible())
        ShowFooterPanel(true);
    if (columnSize_->Save)
        LoadColumnSizes();
    // Hover, blinking and footer work.
    if (!timerId_)
        timerId_ = startTimer(kTimerInterval);
}

void TExtStringGrid::DestroyWnd()
{
    windowCreated_ = false;
    EndPanning();
    RegisterDropTarget(false);
    if (timerId_)
        killTimer(timerId_);
    timerId_ = 0;
}

void TExtStringGrid::Resize()
{
    if (OnResize)
        OnResize();
}

void TExtStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    if (!parentWidget()) {
        TBaseGrid::SizeChanged(OldColCount, OldRowCount);
        return;
    }
    StretchOnResize();
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
    ApplyScrollBars();
    if (fixedFooters_ > 0 || fixedRightCols_ > 0)
        Invalidate();
}

bool TExtStringGrid::event(QEvent* Event)
{
    if (WndProc(Event))
        return true;
    return TBaseGrid::event(Event);
}

bool TExtStringGrid::viewportEvent(QEvent* Event)
{
    if (WndProc(Event))
        return true;
    return TBaseGrid::viewportEvent(Event);
}

bool TExtStringGrid::WndProc(QEvent* Message)
{
    HTMLWindowEvent(Message);
    if (PanningEvent(Message))
        return true;
    if (Message->type() == QEvent::ToolTip)
        return CellHintEvent(static_cast<QHelpEvent*>(Message));
    if (Message->type() == QEvent::ShortcutOverride)
        return DialogChar(static_cast<QKeyEvent*>(Message));
    return false;
}

void TExtStringGrid::showEvent(QShowEvent* Event)
{
    if (!windowCreated_ && parentWidget())
        CreateWnd();
    TBaseGrid::showEvent(Event);
}

void TExtStringGrid::paintEvent(QPaintEvent* Event)
{
    if (updateCount_ > 0)
        return;
    TBaseGrid::paintEvent(Event);
    DrawPanMark();
}

void TExtStringGrid::resizeEvent(QResizeEvent* Event)
{
    const bool widthChanged = Event->size().width() != Event->oldSize().width();
    // Columns in proportion to the grid: an open editor would be left over
    // the old place of its cell.
    const bool synch = columnSize_->SynchWithGrid && !columnSize_->Stretch() && widthChanged && prevClientWidth_ > 0;
    if (synch)
        EndCellEditing();
    TBaseGrid::resizeEvent(Event);
    const int client = viewport()->width();
    if (widthChanged && columnSize_->Stretch()) {
        StretchOnResize();
    } else if (synch && client != prevClientWidth_) {
        BeginUpdate();
        for (int c = 0; c < ColCount(); ++c)
            SetColWidths(c, static_cast<int>(std::lround(double(ColWidths(c)) * client / prevClientWidth_)));
        EndUpdate();
    }
    prevClientWidth_ = client;
    AlignFooterPanel();
    ApplyScrollBars();
    Resize();
}

void TExtStringGrid::TopLeftChanged()
{
    TBaseGrid::TopLeftChanged();
    // An editor over a cell that moved was closed as the view moved
    // (UpdateEditor); the scroll hint follows the thumb itself. The footer
    // panel is placed and painted again.
    AlignFooterPanel();
}

void TExtStringGrid::timerEvent(QTimerEvent* Event)
{
    if (Event->timerId() == timerId_) {
        TimerTick();
        return;
    }
    TBaseGrid::timerEvent(Event);
}

void TExtStringGrid::TimerTick()
{
    if (Hovering && !DesignMode())
        HoverStep();
    if (EnableBlink)
        BlinkStep();
}

void TExtStringGrid::FormResize()
{
    if (!ownerForm_)
        return;
    const QSize now = ownerForm_->size();
    const QSize delta = now - formSize_;
    formSize_ = now;
    if (!SizeWithForm || DesignMode() || delta.isNull())
        return;
    const int w = width() + delta.width();
    const int h = height() + delta.height();
    if (w > 0 && h > 0)
        SetBounds(x(), y(), w, h);
    StretchOnResize();
}

bool TExtStringGrid::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == ownerForm_ && Event->type() == QEvent::Resize)
        FormResize();
    // Keys while panning (the filter is installed when it starts).
    const QEvent::Type type = Event->type();
    if (Watched == this && (type == QEvent::KeyPress || type == QEvent::KeyRelease) && PanningEvent(Event))
        return true;
    return TBaseGrid::eventFilter(Watched, Event);
}

void TExtStringGrid::HookOwnerForm()
{
    // The form the grid sits in: its resizes reach FormResize through an
    // event filter, which leaves the form's own handling as it was.
    auto* form = qobject_cast<TForm*>(window());
    if (!form || form == static_cast<QWidget*>(this) || DesignMode())
        return;
    ownerForm_ = form;
    formSize_ = form->size();
    form->installEventFilter(this);
}

void TExtStringGrid::UnhookOwnerForm()
{
    if (ownerForm_)
        ownerForm_->removeEventFilter(this);
    ownerForm_ = nullptr;
}

void TExtStringGrid::ReadPlatformSettings()
{
    // Visual styles: a recent enough platform whose style library reports an
    // active theme.
    InitThemeLibrary();
    visualStyles_ = PlatformVersionAtLeast(5, 1) && ThemedDrawing();
    // No legacy wheel driver exists here: the standard wheel message and the
    // platform's lines per notch.
    wheelMessage_ = kWheelMessage;
    wheelScrollLines_ = QApplication::wheelScrollLines();
}

std::int32_t TExtStringGrid::GetDllFileVersion(const QString& FileName)
{
    // Libraries here carry no version resource.
    (void)FileName;
    return -1;
}

std::int32_t TExtStringGrid::CommonControlsVersion()
{
    // Qt offers every control the grid asks the common controls for (the
    // date picker, flat scroll bars): answer a version that has them.
    return (5 << 16) | 81;
}
