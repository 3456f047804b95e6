#pragma once
// The floating footer under the grid's cells: its settings and the panel
// that draws it.
#include "grid/gridsettings.h"
#include "platform/controls.h"

#include <QString>

#include <functional>
#include <vector>

class TExtStringGrid;

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

// The custom footer text: every "<#n>" becomes CellText(n); a field whose
// n is no column number is dropped, the rest of the template stays.
QString ExpandFooterTemplate(const QString& Template, const std::function<QString(int ACol)>& CellText);

// One column as the footer shows it, in the panel's coordinates.
struct TFooterColumn {
    int Col = 0;
    int Left = 0;
    int Right = 0;
    bool operator==(const TFooterColumn&) const = default;
};

// The panel under the grid's cells that draws the floating footer, in the
// style the grid's FloatingFooter gives. The grid places it at its bottom.
class TFooterPanel : public TPanel {
    Q_OBJECT
public:
    explicit TFooterPanel(TExtStringGrid* AGrid);

    // The fixed columns, then the visible ones from the grid's left column,
    // lined up with the grid's cells.
    std::vector<TFooterColumn> ShownColumns() const;
    // The text of the custom preview for the grid's current row.
    QString CustomText() const;
    // The grid's current row when the panel was last painted (-1 before).
    int PaintedRow() const { return paintedRow_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Follows the grid's repaints: a new current row or a scroll shows in
    // the footer too.
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void PaintLastRow(TCanvas& Canvas);
    // The framed strip of the two preview styles; returns its inside.
    TRect PaintPreviewStrip(TCanvas& Canvas);
    void PaintColumnPreview(TCanvas& Canvas);
    void PaintCustomPreview(TCanvas& Canvas);
    // The current row's text of a column; empty outside the grid.
    QString CurrentText(int ACol) const;

    TExtStringGrid* grid_;
    int paintedRow_ = -1;
    std::vector<TFooterColumn> paintedColumns_;
};
