// The grid control's window life: the window made on first show and ended,
// loading, the 500 ms timer, the owner form's resizes, and the platform
// checks made at creation (visual styles, wheel, library versions).
#include "grid/extgrid.h"

#include <QApplication>
#include <QEvent>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTimerEvent>

void TExtStringGrid::Loaded()
{
    loading_ = false;
    designCursor_ = cursor_;
    ApplyColumnHeaders();
    ApplyRowHeaders();
    if (columnSize_->Save)
        LoadColumnSizes();
}

void TExtStringGrid::Notification(const void* AComponent)
{
    if (!AComponent)
        return;
    if (AComponent == gridImages_)
        gridImages_ = nullptr;
    if (AComponent == pictureContainer_)
        pictureContainer_ = nullptr;
    if (AComponent == cellChecker_)
        cellChecker_ = nullptr;
}

void TExtStringGrid::CreateWnd()
{
    windowCreated_ = true;
    if (columnSize_->Save)
        LoadColumnSizes();
    if (!timerId_)
        timerId_ = startTimer(kTimerInterval);
}

void TExtStringGrid::DestroyWnd()
{
    windowCreated_ = false;
}

void TExtStringGrid::Resize()
{
    if (OnResize)
        OnResize();
}

void TExtStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
}

bool TExtStringGrid::event(QEvent* Event)
{
    if (WndProc(Event))
        return true;
    return TBaseGrid::event(Event);
}

bool TExtStringGrid::WndProc(QEvent* Message)
{
    (void)Message;
    return false;
}

void TExtStringGrid::showEvent(QShowEvent* Event)
{
    if (!windowCreated_ && parentWidget())
        CreateWnd();
    TBaseGrid::showEvent(Event);
}

void TExtStringGrid::resizeEvent(QResizeEvent* Event)
{
    TBaseGrid::resizeEvent(Event);
    Resize();
}

void TExtStringGrid::timerEvent(QTimerEvent* Event)
{
    if (Event->timerId() == timerId_) {
        TimerTick();
        return;
    }
    TBaseGrid::timerEvent(Event);
}

void TExtStringGrid::TimerTick() {}

void TExtStringGrid::FormResize() {}

bool TExtStringGrid::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == ownerForm_ && Event->type() == QEvent::Resize)
        FormResize();
    return TBaseGrid::eventFilter(Watched, Event);
}

void TExtStringGrid::HookOwnerForm() {}

void TExtStringGrid::UnhookOwnerForm() {}

void TExtStringGrid::CalcSizingState(int X, int Y, TGridSizingKind& State, int& Index)
{
    (void)X, (void)Y;
    State = gsNone;
    Index = -1;
}

void TExtStringGrid::ReadPlatformSettings()
{
    visualStyles_ = false;
    wheelMessage_ = 522;
    wheelScrollLines_ = QApplication::wheelScrollLines();
}

std::int32_t TExtStringGrid::GetDllFileVersion(const QString& FileName)
{
    (void)FileName;
    return -1;
}

std::int32_t TExtStringGrid::CommonControlsVersion()
{
    return (5 << 16) | 81;
}
