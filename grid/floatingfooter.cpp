#include "grid/floatingfooter.h"

void TFloatingFooter::RepaintFooter()
{
    if (Grid())
        Grid()->RepaintFooter();
}

void TFloatingFooter::RepaintBoth()
{
    Repaint();
    RepaintFooter();
}

void TFloatingFooter::SetColor(TColor Value)
{
    if (color_ == Value)
        return;
    color_ = Value;
    RepaintFooter();
}

void TFloatingFooter::SetColumn(int Value)
{
    if (column_ == Value)
        return;
    column_ = Value;
    RepaintFooter();
}

void TFloatingFooter::SetCustomTemplate(const QString& Value)
{
    if (customTemplate_ == Value)
        return;
    customTemplate_ = Value;
    RepaintFooter();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value)
{
    if (footerStyle_ == Value)
        return;
    footerStyle_ = Value;
    if (Grid())
        Grid()->SetLastRowFooter(LastRowIsFooter());
    RepaintBoth();
}

void TFloatingFooter::SetVisible(bool Value)
{
    if (visible_ == Value)
        return;
    visible_ = Value;
    if (TGridSettingsOwner* grid = Grid()) {
        grid->SetLastRowFooter(LastRowIsFooter());
        grid->ShowFooterPanel(visible_);
        grid->SetFooterRowCount(visible_ ? 1 : 0);
    }
    RepaintBoth();
}

void TFloatingFooter::Assign(const TFloatingFooter& Source)
{
    SetColor(Source.color_);
    SetColumn(Source.column_);
    SetCustomTemplate(Source.customTemplate_);
    SetFooterStyle(Source.footerStyle_);
    SetVisible(Source.visible_);
}
