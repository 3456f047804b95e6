#include "platform/printer.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

PrinterFactory& Factory()
{
    static PrinterFactory factory;
    return factory;
}

QString SystemDefaultPrinter()
{
    return QPrinterInfo::defaultPrinterName();
}

DefaultPrinterLookup defaultPrinterLookup = &SystemDefaultPrinter;

// The reports were laid out for the narrow sans-serif faces of the desktop
// the program came from; without them here a wider face would run texts
// into the next column. Prefer faces with the same widths.
void SubstituteReportFonts()
{
    static const bool done = [] {
        const QStringList narrow = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                    QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica"),
                                    QStringLiteral("DejaVu Sans")};
        for (const char* family : {"Ms San Serif", "MS Sans Serif", "Arial"})
            QFont::insertSubstitutions(QString::fromLatin1(family), narrow);
        return true;
    }();
    (void)done;
}

// Drawing on a Qt paged device (a printer or a PDF writer) through one
// painter that lives from BeginDoc to EndDoc.
class TPainterPrinter : public TPrinter {
public:
    void BeginDoc() override
    {
        if (!painter_.begin(&Device()))
            throw EPrinterError(BeginFailure().toStdString());
    }

    void NewPage() override
    {
        if (!painter_.isActive() || !Device().newPage())
            throw EPrinterError(QStringLiteral("Não foi possível iniciar uma nova página.").toStdString());
    }

    void EndDoc() override
    {
        if (painter_.isActive())
            painter_.end();
        CheckEnded();
    }

    void Abort() override
    {
        if (painter_.isActive())
            painter_.end();
    }

    int PageWidth() const override { return Device().width(); }
    int PageHeight() const override { return Device().height(); }

protected:
    virtual QPagedPaintDevice& Device() = 0;
    virtual const QPagedPaintDevice& Device() const = 0;
    virtual QString BeginFailure() const = 0;
    virtual void CheckEnded() {}

    QPaintDevice* MetricsDevice() const override { return const_cast<QPagedPaintDevice*>(&Device()); }

    void DrawText(int x, int y, const QString& text) override
    {
        if (!painter_.isActive())
            return;
        const QFont font = ReportFont(Font);
        painter_.setFont(font);
        painter_.setPen(Qt::black);
        painter_.drawText(x, y + QFontMetrics(font, MetricsDevice()).ascent(), text);
    }

    void DrawLine(int x1, int y1, int x2, int y2) override
    {
        if (!painter_.isActive() || Pen.Width <= 0)
            return;
        QPen pen(Qt::black);
        pen.setWidth(Pen.Width);
        pen.setCapStyle(Qt::FlatCap);
        painter_.setPen(pen);
        painter_.drawLine(x1, y1, x2, y2);
    }

private:
    QPainter painter_;
};

class TSystemPrinter : public TPainterPrinter {
public:
    void BeginDoc() override
    {
        const QString name = defaultPrinterLookup ? defaultPrinterLookup() : QString();
        if (name.isEmpty())
            throw EPrinterError(QStringLiteral("Nenhuma impressora padrão está instalada.").toStdString());
        printer_.setPrinterName(name);
        if (!printer_.isValid())
            throw EPrinterError(QStringLiteral("A impressora \"%1\" não está disponível.").arg(name).toStdString());
        TPainterPrinter::BeginDoc();
    }

protected:
    QPagedPaintDevice& Device() override { return printer_; }
    const QPagedPaintDevice& Device() const override { return printer_; }

    QString BeginFailure() const override
    {
        return QStringLiteral("Não foi possível imprimir na impressora \"%1\".").arg(printer_.printerName());
    }

    void CheckEnded() override
    {
        if (printer_.printerState() == QPrinter::Error || printer_.printerState() == QPrinter::Aborted)
            throw EPrinterError(
                QStringLiteral("A impressão na impressora \"%1\" falhou.").arg(printer_.printerName()).toStdString());
    }

private:
    QPrinter printer_{QPrinter::HighResolution};
};

class TPdfPrinter : public TPainterPrinter {
public:
    explicit TPdfPrinter(const QString& fileName) : fileName_(fileName), writer_(fileName)
    {
        writer_.setResolution(600);
        writer_.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
        writer_.setTitle(QFileInfo(fileName).completeBaseName());
    }

protected:
    QPagedPaintDevice& Device() override { return writer_; }
    const QPagedPaintDevice& Device() const override { return writer_; }

    QString BeginFailure() const override
    {
        return QStringLiteral("Não foi possível gravar o arquivo \"%1\".").arg(fileName_);
    }

private:
    QString fileName_;
    QPdfWriter writer_;
};

} // namespace

TPrinter::~TPrinter() = default;

QFont ReportFont(const TFont& font)
{
    SubstituteReportFonts();
    return font.ToQFont(QFont());
}

int TPrinter::TextWidth(const QString& text) const
{
    return QFontMetrics(ReportFont(Font), MetricsDevice()).horizontalAdvance(text);
}

int TPrinter::TextHeight() const
{
    return QFontMetrics(ReportFont(Font), MetricsDevice()).height();
}

void TPrinter::MoveTo(int x, int y)
{
    penX_ = x;
    penY_ = y;
}

void TPrinter::LineTo(int x, int y)
{
    DrawLine(penX_, penY_, x, y);
    penX_ = x;
    penY_ = y;
}

std::unique_ptr<TPrinter> CreateDefaultPrinter()
{
    return std::make_unique<TSystemPrinter>();
}

std::unique_ptr<TPrinter> CreatePdfPrinter(const QString& fileName)
{
    return std::make_unique<TPdfPrinter>(fileName);
}

std::unique_ptr<TPrinter> OpenPrinter()
{
    if (Factory())
        return Factory()();
    const QString target = qEnvironmentVariable("TRIVANTO_IMPRESSORA").trimmed();
    if (target.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return CreatePdfPrinter(target);
    return CreateDefaultPrinter();
}

void SetPrinterFactory(PrinterFactory factory)
{
    Factory() = std::move(factory);
}

void SetDefaultPrinterLookup(DefaultPrinterLookup lookup)
{
    defaultPrinterLookup = lookup ? lookup : &SystemDefaultPrinter;
}
