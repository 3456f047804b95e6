#pragma once
// The floating footer under the grid's cells: its settings and the panel
// that draws it.
#include "grid/gridsettings.h"

#include <QString>

enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview };

// What the footer shows: the grid's last row (fsFixedLastRow), the current
// row's cell of Column (fsColumnPreview), or CustomTemplate with "<#n>"
// replaced by the current row's text of column n (fsCustomPreview).
class TFloatingFooter : public TGridSettings {
public:
    using TGridSettings::TGridSettings;

    // Colour, column and template show only in the footer panel.
    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    int Column() const { return column_; }
    void SetColumn(int Value);
    QString CustomTemplate() const { return customTemplate_; }
    void SetCustomTemplate(const QString& Value);

    TFooterStyle FooterStyle() const { return footerStyle_; }
    void SetFooterStyle(TFooterStyle Value);
    // Showing the footer gives the grid one footer row; hiding it, none.
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);

    // The grid draws its last row as the footer.
    bool LastRowIsFooter() const { return visible_ && footerStyle_ == fsFixedLastRow; }

    void Assign(const TFloatingFooter& Source);

private:
    void RepaintFooter();
    void RepaintBoth();

    TColor color_ = clBtnFace;
    int column_ = 0;
    QString customTemplate_;
    TFooterStyle footerStyle_ = fsFixedLastRow;
    bool visible_ = false;
};
