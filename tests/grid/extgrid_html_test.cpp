// Mini-HTML cells under a real mouse on an offscreen grid: links opened (or
// not) through the desktop services, "CELL://" moves, the form controls of a
// cell, the hand cursor with the anchor events, and the cell hints that Qt's
// tool-tip event brings up in the HTML hint window.
#include "grid/extgrid.h"

#include "grid/grideditors.h"
#include "grid/htmlhint.h"
#include "tests/support/input.h"

#include <QFontMetrics>
#include <QAbstractItemView>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// Records every address the desktop services would have opened, by scheme.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    static inline const QStringList kSchemes{"http", "https", "mailto", "file", "foo", "javascript", "ftp"};
    UrlRecorder()
    {
        for (const QString& scheme : kSchemes)
            QDesktopServices::setUrlHandler(scheme, this, "Open");
    }
    ~UrlRecorder() override
    {
        for (const QString& scheme : kSchemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QStringList opened;

public slots:
    void Open(const QUrl& url) { opened << url.toString(); }
};

namespace {

class GridHtml : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = new TExtStringGrid(&window);
        grid->setGeometry(0, 0, 640, 300);
        grid->SetColCount(4);
        grid->SetRowCount(6);
        grid->SetDefaultColWidth(150);
        grid->SetDefaultRowHeight(36);
        grid->Loaded();
        other = new QLineEdit(&window);
        other->setGeometry(0, 310, 100, 24);
        window.resize(660, 350);
        ASSERT_TRUE(input::Activate(&window));
        grid->setFocus();
        input::Settle();
    }

    // Puts texts into cells and lets the grid paint them.
    void Put(int col, int row, const QString& text)
    {
        grid->SetCells(col, row, text);
        Paint();
    }
    void Paint()
    {
        grid->viewport()->repaint();
        input::Settle();
    }
    // A point on the first thing of a cell: its text starts at the cell's
    // top-left corner, past the margin.
    QPoint Start(int col, int row, int dx = 10, int dy = 11) const
    {
        const TRect r = grid->CellRect(col, row);
        return {r.Left + dx, r.Top + dy};
    }
    QPoint Center(int col, int row) const
    {
        const TRect r = grid->CellRect(col, row);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void Click(QPoint at)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        input::Settle();
    }
    void Move(QPoint at)
    {
        QTest::mouseMove(grid->viewport(), at);
        input::Settle();
    }
    Qt::CursorShape Cursor() const { return grid->viewport()->cursor().shape(); }
    QImage CellImage(int col, int row)
    {
        Paint();
        return grid->viewport()->grab(grid->CellRect(col, row).ToQRect()).toImage();
    }

    QWidget window;
    TExtStringGrid* grid = nullptr;
    QLineEdit* other = nullptr;
    UrlRecorder urls;
};

QString Anchor(const QString& target)
{
    return QStringLiteral("<A HREF=\"%1\">abrir este endereço</A> e mais texto").arg(target);
}

// ---- links in cells

struct LinkCase {
    const char* name;
    QString target;
    bool urlCell;          // plain URL cell (URLShow) instead of an anchor
    QStringList opened;    // what the desktop services were asked to open
    int col, row;          // the current cell afterwards
};
void PrintTo(const LinkCase& c, std::ostream* os) { *os << c.name; }

// The grid starts at (1, 1); the link sits in cell (1, 2).
const LinkCase kLinkCases[] = {
    {"http", "http://example.com/a?b=1", false, {"http://example.com/a?b=1"}, 1, 1},
    {"https", "https://example.com/", false, {"https://example.com/"}, 1, 1},
    {"https_uppercase", "HTTPS://Example.com/x", false, {"https://example.com/x"}, 1, 1},
    {"mailto", "mailto:fulano@example.com", false, {"mailto:fulano@example.com"}, 1, 1},
    {"file", "file:///etc/passwd", false, {}, 1, 1},
    {"relative", "docs/manual.html", false, {}, 1, 1},
    {"program", "/usr/bin/xterm", false, {}, 1, 1},
    {"unknown_scheme", "foo://bar/baz", false, {}, 1, 1},
    {"javascript", "javascript:alert(1)", false, {}, 1, 1},
    {"ftp", "ftp://example.com/f", false, {}, 1, 1},
    {"http_without_host", "http:///x", false, {}, 1, 1},
    {"cell_moves", "CELL://R4C3", false, {}, 3, 4},
    {"cell_any_case", "cell://r3c2", false, {}, 2, 3},
    {"cell_row_outside", "CELL://R6C1", false, {}, 1, 1},
    {"cell_col_outside", "CELL://R2C9", false, {}, 1, 1},
    {"cell_huge_row", "CELL://R99999999999C1", false, {}, 1, 1},
    {"cell_fixed", "CELL://R0C0", false, {}, 1, 1},
    {"cell_garbled", "CELL://XYZ", false, {}, 1, 1},
    {"cell_prefix_not_first", "xCELL://R4C3", false, {}, 1, 1},
    {"url_cell_http", "http://example.com/site", true, {"http://example.com/site"}, 1, 2},
    {"url_cell_mailto", "mailto:b@example.com", true, {"mailto:b@example.com"}, 1, 2},
    {"url_cell_file", "file:///bin/sh", true, {}, 1, 2},
    {"url_cell_unknown", "foo://x", true, {}, 1, 2},
};

class GridHtmlLinks : public GridHtml, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(GridHtmlLinks, ClickOpensOnlyWebAndMail)
{
    const LinkCase& c = GetParam();
    grid->SetURLShow(c.urlCell);
    Put(1, 2, c.urlCell ? c.target : Anchor(c.target));
    ASSERT_EQ(grid->Col(), 1);
    ASSERT_EQ(grid->Row(), 1);
    Click(Start(1, 2));
    EXPECT_EQ(urls.opened, c.opened);
    EXPECT_EQ(grid->Col(), c.col);
    EXPECT_EQ(grid->Row(), c.row);
}

INSTANTIATE_TEST_SUITE_P(Cases, GridHtmlLinks, ::testing::ValuesIn(kLinkCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(GridHtml, UrlCellIsNoLinkWithoutUrlShow)
{
    Put(1, 2, "http://example.com/site");
    Click(Start(1, 2));
    EXPECT_TRUE(urls.opened.isEmpty());
    EXPECT_EQ(grid->Row(), 2);
}

TEST_F(GridHtml, ClickBesideTheAnchorOpensNothing)
{
    Put(1, 2, "<B>texto</B> <A HREF=\"http://example.com/\">x</A>");
    Click(QPoint(grid->CellRect(1, 2).Right - 4, Center(1, 2).y()));
    EXPECT_TRUE(urls.opened.isEmpty());
}

TEST_F(GridHtml, AnchorClickHandlerMayTakeOver)
{
    std::vector<std::string> seen;
    bool handle = false;
    grid->OnAnchorClick = [&](QObject* sender, int ARow, int ACol, const QString& anchor, bool& autoHandle) {
        EXPECT_EQ(sender, grid);
        seen.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + " " + anchor.toStdString());
        autoHandle = handle;
    };
    Put(2, 3, Anchor("http://example.com/"));
    Put(1, 2, Anchor("CELL://R4C3"));
    Click(Start(2, 3));
    Click(Start(1, 2));
    EXPECT_EQ(seen, (std::vector<std::string>{"2,3 http://example.com/", "1,2 CELL://R4C3"}));
    EXPECT_TRUE(urls.opened.isEmpty());
    EXPECT_NE(grid->Row(), 4);
    handle = true;
    Click(Start(2, 3));
    EXPECT_EQ(urls.opened, QStringList{"http://example.com/"});
}

TEST_F(GridHtml, AnchorHitWhereTheScrolledCellIsNowDrawn)
{
    grid->SetRowCount(40);
    Put(1, 30, Anchor("CELL://R2C3"));
    grid->SetTopRow(28);
    Paint();
    Click(Start(1, 30));
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_TRUE(urls.opened.isEmpty());
}

// ---- form controls

struct ControlLog {
    std::vector<std::string> lines;
    void Add(const char* what, int ACol, int ARow, const QString& id, const QString& type, const QString& value)
    {
        lines.push_back(std::string(what) + " " + std::to_string(ACol) + "," + std::to_string(ARow) + " "
                        + id.toStdString() + " " + type.toStdString() + " " + value.toStdString());
    }
};

class GridHtmlControls : public GridHtml {
protected:
    void SetUp() override
    {
        GridHtml::SetUp();
        grid->OnControlClick = [this](QObject*, int ARow, int ACol, const QString& id, const QString& type,
                                      const QString& value) { log.Add("click", ACol, ARow, id, type, value); };
        grid->OnControlEditDone = [this](QObject*, int ARow, int ACol, const QString& id, const QString& type,
                                         const QString& value) { log.Add("done", ACol, ARow, id, type, value); };
    }
    ControlLog log;
};

TEST_F(GridHtmlControls, CheckFlipsItsValueInTheCellText)
{
    // A cell is mini-HTML by a closing tag or a bold or italic one.
    Put(2, 2, "<CONTROL TYPE=\"CHECK\" ID=\"ok\" VALUE=\"FALSE\"> <B>aceito</B>");
    Click(Start(2, 2));
    EXPECT_EQ(grid->Cells(2, 2), "<CONTROL ID=\"ok\" VALUE=\"TRUE\" WIDTH=\"\" TYPE=\"CHECK\"> <B>aceito</B>");
    Paint();
    Click(Start(2, 2));
    EXPECT_TRUE(grid->Cells(2, 2).contains("VALUE=\"FALSE\""));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"click 2,2 ok CHECK TRUE", "click 2,2 ok CHECK FALSE"}));
}

TEST_F(GridHtmlControls, EditWritesBackOnEnter)
{
    Put(1, 3, "<CONTROL TYPE=\"EDIT\" ID=\"rua\" VALUE=\"Velha\" WIDTH=\"100\"> <I>rua</I>");
    Click(Start(1, 3, 20, 14));
    TControlEdit* edit = grid->ControlEdit();
    ASSERT_TRUE(edit->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_EQ(edit->Text(), "Velha");
    EXPECT_FALSE(edit->hasFrame());
    EXPECT_TRUE(grid->viewport()->rect().contains(edit->geometry()));
    input::Key(Qt::Key_A, Qt::ControlModifier);
    input::Type("Nova & <larga>");
    input::Key(Qt::Key_Return);
    EXPECT_FALSE(edit->isVisible());
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->Cells(1, 3),
              "<CONTROL ID=\"rua\" VALUE=\"Nova & &lt;larga&gt;\" WIDTH=\"100\" TYPE=\"EDIT\"> <I>rua</I>");
    EXPECT_EQ(log.lines, (std::vector<std::string>{"click 1,3 rua EDIT Velha", "done 1,3 rua EDIT Nova & <larga>"}));
}

TEST_F(GridHtmlControls, EditWritesBackWhenTheFocusLeaves)
{
    Put(1, 3, "<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"a\" WIDTH=\"100\"></P>");
    Click(Start(1, 3, 20, 14));
    ASSERT_TRUE(grid->ControlEdit()->isVisible());
    input::Type("b");
    other->setFocus();
    input::Settle();
    EXPECT_FALSE(grid->ControlEdit()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), other);
    EXPECT_TRUE(grid->Cells(1, 3).contains("VALUE=\"ab\""));
    EXPECT_EQ(log.lines.back(), "done 1,3 e EDIT ab");
    EXPECT_EQ(log.lines.size(), 2u);
}

TEST_F(GridHtmlControls, EditOfARowRemovedMeanwhileWritesNothing)
{
    Put(1, 4, "<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"a\" WIDTH=\"100\"></P>");
    Click(Start(1, 4, 20, 14));
    ASSERT_TRUE(grid->ControlEdit()->isVisible());
    input::Type("b");
    grid->SetRowCount(3);
    input::Key(Qt::Key_Return);
    EXPECT_FALSE(grid->ControlEdit()->isVisible());
    EXPECT_EQ(log.lines, (std::vector<std::string>{"click 1,4 e EDIT a"}));
    grid->SetRowCount(6);
    EXPECT_EQ(grid->Cells(1, 4), "");
}

TEST_F(GridHtmlControls, ComboListsTheValuesAndWritesBack)
{
    grid->OnControlComboList = [this](QObject*, int ARow, int ACol, const QString& id, const QString& type,
                                      const QString& value, QStringList& values, bool& edit, int& dropCount) {
        log.Add("list", ACol, ARow, id, type, value);
        EXPECT_FALSE(edit);
        EXPECT_EQ(dropCount, 8);
        values = {"Norte", "Sul", "Leste"};
        dropCount = 2;
    };
    Put(2, 1, "<CONTROL TYPE=\"COMBO\" ID=\"lado\" VALUE=\"Sul\" WIDTH=\"120\"></P>");
    Click(Start(2, 1, 20, 14));
    TControlCombo* combo = grid->ControlCombo();
    ASSERT_TRUE(combo->isVisible());
    EXPECT_EQ(combo->Text(), "Sul");
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->maxVisibleItems(), 2);
    EXPECT_TRUE(combo->view()->isVisible()); // dropped down
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    input::Settle();
    EXPECT_FALSE(combo->view()->isVisible());
    input::Key(Qt::Key_Return, Qt::NoModifier, QString(), combo);
    EXPECT_FALSE(combo->isVisible());
    EXPECT_TRUE(grid->Cells(2, 1).contains("VALUE=\"Leste\""));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"click 2,1 lado COMBO Sul", "list 2,1 lado COMBO Sul",
                                                   "done 2,1 lado COMBO Leste"}));
}

TEST_F(GridHtmlControls, ButtonShowsPressedUntilReleasedOrFocusLost)
{
    Put(1, 2, "<CONTROL TYPE=\"BUTTON\" ID=\"b1\" VALUE=\"Ir\" WIDTH=\"80\"></P>");
    const QImage up = CellImage(1, 2);
    QTest::mousePress(grid->viewport(), Qt::LeftButton, Qt::NoModifier, Start(1, 2, 30, 14));
    input::Settle();
    EXPECT_NE(CellImage(1, 2), up);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, Qt::NoModifier, Start(1, 2, 30, 14));
    input::Settle();
    EXPECT_EQ(CellImage(1, 2), up);

    // A press whose release never reaches the grid: the focus going away
    // releases the button.
    QTest::mousePress(grid->viewport(), Qt::LeftButton, Qt::NoModifier, Start(1, 2, 30, 14));
    input::Settle();
    EXPECT_NE(CellImage(1, 2), up);
    other->setFocus();
    input::Settle();
    EXPECT_EQ(CellImage(1, 2), up);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, Qt::NoModifier, Start(1, 2, 30, 14));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"click 1,2 b1 BUTTON Ir", "click 1,2 b1 BUTTON Ir"}));
}

TEST_F(GridHtmlControls, Screenshot)
{
    grid->SetColWidths(1, 330);
    grid->SetRowHeights(2, 70);
    grid->SetCells(1, 1, "<B>Cadastro</B>");
    Put(1, 2,
        "<B>Nome:</B> <CONTROL TYPE=\"EDIT\" ID=\"n\" VALUE=\"Maria\" WIDTH=\"90\"> "
        "<CONTROL TYPE=\"CHECK\" ID=\"a\" VALUE=\"TRUE\"> ativo<BR>"
        "<CONTROL TYPE=\"COMBO\" ID=\"c\" VALUE=\"Sul\" WIDTH=\"90\"> "
        "<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Gravar\" WIDTH=\"80\">");
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    EXPECT_TRUE(grid->grab().save(QStringLiteral(TRIVANTO_TEST_OUT "/grade_html_controles.png")));
}

// ---- the mouse over links

TEST_F(GridHtml, AnchorsEnterAndExitWithTheHandCursor)
{
    std::vector<std::string> seen;
    grid->OnAnchorEnter = [&](QObject*, int ARow, int ACol, const QString& anchor) {
        seen.push_back("enter " + std::to_string(ACol) + "," + std::to_string(ARow) + " " + anchor.toStdString());
    };
    grid->OnAnchorExit = [&](QObject*, int ARow, int ACol, const QString& anchor) {
        seen.push_back("exit " + std::to_string(ACol) + "," + std::to_string(ARow) + " " + anchor.toStdString());
    };
    grid->SetURLShow(true);
    grid->SetCells(1, 2, Anchor("http://a.example/"));
    grid->SetCells(2, 2, Anchor("http://b.example/"));
    Put(1, 3, "http://c.example/");

    Move(Center(1, 4));
    EXPECT_EQ(Cursor(), Qt::ArrowCursor);
    Move(Start(1, 2));
    EXPECT_EQ(Cursor(), Qt::PointingHandCursor);
    Move(Start(1, 2, 14));                                // the same anchor
    Move(QPoint(grid->CellRect(1, 2).Right - 3, Start(1, 2).y())); // its plain text
    EXPECT_EQ(Cursor(), Qt::ArrowCursor);
    Move(Start(1, 2));
    Move(Start(2, 2));                                    // straight to another
    Move(Start(1, 3));                                    // a URL cell
    EXPECT_EQ(Cursor(), Qt::PointingHandCursor);
    Move(Center(2, 4));
    EXPECT_EQ(Cursor(), Qt::ArrowCursor);
    EXPECT_EQ(seen, (std::vector<std::string>{"enter 1,2 http://a.example/", "exit 1,2 http://a.example/",
                                              "enter 1,2 http://a.example/", "exit 1,2 http://a.example/",
                                              "enter 2,2 http://b.example/", "exit 2,2 http://b.example/"}));
}

TEST_F(GridHtml, TheLinkUnderTheMouseIsDrawnHovered)
{
    Put(1, 2, "<A HREF=\"a\">aaaa</A> <A HREF=\"b\">bbbb</A>");
    const QImage before = CellImage(1, 2);
    Move(Start(1, 2));
    const QImage hovered = CellImage(1, 2);
    EXPECT_NE(hovered, before) << "the renderer is told which link is hovered";
    Move(Center(1, 4));
    EXPECT_EQ(CellImage(1, 2), before);
}

// HTML cells break their lines unless EnhTextSize asks for the ellipsis.
TEST_F(GridHtml, EnhTextSizeDecidesBetweenWrappingAndTheEllipsis)
{
    const QString long_ = "<B>um</B> texto comprido que não cabe numa linha da célula";
    const int lineHeight = QFontMetrics(grid->font()).height();
    const auto inkBelowFirstLine = [&] {
        const QImage image = CellImage(1, 3);
        int dark = 0;
        for (int y = lineHeight + 6; y < image.height() - 2; ++y)
            for (int x = 2; x < image.width() - 2; ++x)
                dark += qGray(image.pixel(x, y)) < 128;
        return dark;
    };
    struct Case {
        bool enh;
        bool wraps;
    };
    for (const Case& c : {Case{false, true}, Case{true, false}}) {
        SCOPED_TRACE(c.enh);
        grid->EnhTextSize = c.enh;
        Put(1, 3, long_);
        EXPECT_EQ(inkBelowFirstLine() > 0, c.wraps);
    }
}

TEST_F(GridHtml, ApplicationCursorComesBackOffTheLink)
{
    grid->SetCursor(Qt::CrossCursor);
    Put(1, 2, Anchor("http://a.example/"));
    Move(Start(1, 2));
    EXPECT_EQ(Cursor(), Qt::PointingHandCursor);
    Move(Center(2, 4));
    EXPECT_EQ(Cursor(), Qt::CrossCursor);
}

// ---- cell hints

class GridHints : public GridHtml {
protected:
    // Qt's tool-tip request at a point of the cell area.
    bool AskHint(QPoint at)
    {
        QHelpEvent event(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
        const bool taken = QApplication::sendEvent(grid->viewport(), &event);
        input::Settle();
        return taken;
    }
    THTMLHintWindow* Hint() const { return grid->HintWindow(); }
    QPoint HintAt() const { return Hint()->geometry().topLeft(); }
    QPoint Global(int x, int y) const { return grid->viewport()->mapToGlobal(QPoint(x, y)); }
    void AddComment(int col, int row, const QString& text)
    {
        TCellGraphic* g = grid->CreateCellGraphic(col, row);
        g->CellType = ctComment;
        g->CellText = text;
    }
};

enum class Where { None, BelowLeft, TopRight, TopLeft };

struct HintCase {
    const char* name;
    bool showCells, largeText, htmlHint, anchorHint;
    QString text;      // of cell (1, 2) (a data cell), or of (0, 2) with fixed
    bool fixed;
    QString comment;
    QString expected;  // the hint's text; empty: no hint
    Where where;
};
void PrintTo(const HintCase& c, std::ostream* os) { *os << c.name; }

const QString kLong = QStringLiteral("um texto bem mais largo do que a coluna em que está, que não cabe nela");
const QString kHtml = QStringLiteral("<B>negrito</B> & <I>itálico</I>");

const HintCase kHintCases[] = {
    {"grid_hint", false, false, false, false, "texto", false, "", "dica da grade", Where::BelowLeft},
    {"comment_at_top_right", false, false, false, false, "texto", false, "um comentário", "um comentário",
     Where::TopRight},
    {"show_cells_plain_escaped", true, false, false, false, "a<b & c", false, "", "a&lt;b &amp; c",
     Where::TopLeft},
    {"show_cells_lines", true, false, false, false, "um\ndois", false, "", "um<BR>dois", Where::TopLeft},
    {"show_cells_html_stripped", true, false, false, false, kHtml, false, "", "negrito &amp; itálico",
     Where::TopLeft},
    {"show_cells_html_kept", true, false, true, false, kHtml, false, "", kHtml, Where::TopLeft},
    {"show_cells_over_comment", true, false, false, false, "texto", false, "nota", "texto", Where::TopLeft},
    {"show_cells_not_on_fixed", true, false, false, false, "cabeçalho", true, "", "dica da grade",
     Where::BelowLeft},
    {"large_text_too_wide", false, true, false, false, kLong, false, "", kLong, Where::TopLeft},
    {"large_text_fits", false, true, false, false, "curto", false, "", "dica da grade", Where::BelowLeft},
    {"anchor_hint", false, false, false, true, Anchor("http://x.example/"), false, "", "http://x.example/",
     Where::BelowLeft},
    {"anchor_hint_off", false, false, false, false, Anchor("http://x.example/"), false, "", "dica da grade",
     Where::BelowLeft},
};

class GridHintCases : public GridHints, public ::testing::WithParamInterface<HintCase> {};

TEST_P(GridHintCases, TextAndPlace)
{
    const HintCase& c = GetParam();
    grid->setToolTip("dica da grade");
    grid->HintShowCells = c.showCells;
    grid->HintShowLargeText = c.largeText;
    grid->HTMLHint = c.htmlHint;
    grid->AnchorHint = c.anchorHint;
    const int col = c.fixed ? 0 : 1;
    if (!c.comment.isEmpty())
        AddComment(col, 2, c.comment);
    Put(col, 2, c.text);
    EXPECT_TRUE(AskHint(Start(col, 2)));
    ASSERT_EQ(Hint()->isVisible(), !c.expected.isEmpty());
    EXPECT_EQ(Hint()->Caption(), c.expected);
    // The cell's rectangle as the grid paints it (lines included).
    const TRect m = grid->MergedCellRect(col, 2);
    switch (c.where) {
    case Where::BelowLeft: EXPECT_EQ(HintAt(), Global(m.Left, m.Bottom + 6)); break;
    case Where::TopRight: EXPECT_EQ(HintAt(), Global(m.Right, m.Top)); break;
    case Where::TopLeft: EXPECT_EQ(HintAt(), Global(m.Left, m.Top)); break;
    case Where::None: break;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, GridHintCases, ::testing::ValuesIn(kHintCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(GridHints, HandlersChangeTheHint)
{
    grid->AnchorHint = true;
    grid->HintColor = clYellow;
    grid->OnAnchorHint = [](QObject*, int ARow, int ACol, QString& anchor) {
        anchor = QStringLiteral("vai para %1 (%2,%3)").arg(anchor).arg(ACol).arg(ARow);
    };
    QString answer = "x";
    grid->OnGridHint = [&](QObject*, int ARow, int ACol, QString& hint) {
        hint = answer.isEmpty() ? QString() : hint + QStringLiteral(" [%1,%2]").arg(ACol).arg(ARow);
    };
    Put(2, 3, Anchor("http://x.example/"));
    AskHint(Start(2, 3));
    ASSERT_TRUE(Hint()->isVisible());
    EXPECT_EQ(Hint()->Caption(), "vai para http://x.example/ (2,3) [2,3]");
    EXPECT_EQ(Hint()->Color, clYellow);
    answer.clear();
    AskHint(Start(2, 3));
    EXPECT_FALSE(Hint()->isVisible());
}

TEST_F(GridHints, NoHintOffTheCells)
{
    grid->setToolTip("dica da grade");
    grid->SetColCount(2);
    Paint();
    const QPoint beyond(grid->CellRect(1, 1).Right + 20, 40);
    EXPECT_TRUE(AskHint(beyond)); // Qt's own tool tip does not show either
    EXPECT_FALSE(Hint()->isVisible());
}

TEST_F(GridHints, AnotherCellCancelsTheHint)
{
    grid->setToolTip("dica");
    Paint();
    AskHint(Center(1, 2));
    ASSERT_TRUE(Hint()->isVisible());
    Move(Center(1, 2) + QPoint(5, 0)); // within the cell the hint stays
    EXPECT_TRUE(Hint()->isVisible());
    Move(Center(2, 2));
    EXPECT_FALSE(Hint()->isVisible());
}

TEST_F(GridHints, LeavingPressingOrTypingCancelsTheHint)
{
    grid->setToolTip("dica");
    Paint();
    const auto cancelledBy = [&](const std::function<void()>& action) {
        AskHint(Center(1, 2));
        EXPECT_TRUE(Hint()->isVisible());
        action();
        input::Settle();
        return !Hint()->isVisible();
    };
    EXPECT_TRUE(cancelledBy([&] {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(grid->viewport(), &leave);
    }));
    EXPECT_TRUE(cancelledBy([&] { Click(Center(2, 3)); }));
    EXPECT_TRUE(cancelledBy([&] { input::Key(Qt::Key_Down, Qt::NoModifier, QString(), grid); }));
}

TEST_F(GridHints, Screenshot)
{
    grid->setToolTip("dica da grade");
    grid->HintShowLargeText = true;
    Put(1, 2, kLong);
    AskHint(Start(1, 2));
    ASSERT_TRUE(Hint()->isVisible());
    // The hint is a window of its own: it is drawn over the grid's picture
    // where it stands on the screen.
    QImage shot = window.grab().toImage();
    QPainter painter(&shot);
    painter.drawImage(window.mapFromGlobal(Hint()->geometry().topLeft()), Hint()->grab().toImage());
    painter.end();
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    EXPECT_TRUE(shot.save(QStringLiteral(TRIVANTO_TEST_OUT "/grade_dica.png")));
}

} // namespace

#include "extgrid_html_test.moc"
