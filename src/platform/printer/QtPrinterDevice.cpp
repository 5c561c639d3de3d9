#include "platform/printer/QtPrinterDevice.h"

#include "platform/font/FontLoader.h"
#include "platform/font/GreekKeys.h"
#include "platform/printer/CupsQueue.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QPageLayout>
#include <QPrinterInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace printer {

using winsys::GreekFamily;
using winsys::GreekKeysToUnicode;

namespace {

constexpr int FirstOwnCode = 1000;
constexpr double LineWidthPoints = 0.25;
const QString GreekTextFamily = QStringLiteral("DejaVu Sans");

// Papers a PDF file can take: the common office and envelope sizes.
const QPageSize::PageSizeId PdfPapers[] = {
    QPageSize::Letter, QPageSize::Legal, QPageSize::ExecutiveStandard, QPageSize::Tabloid, QPageSize::Ledger,
    QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::B4, QPageSize::B5, QPageSize::JisB4,
    QPageSize::JisB5, QPageSize::EnvelopeDL, QPageSize::EnvelopeC5, QPageSize::Envelope10,
};

// A file that cannot be written, and why (errno).
JobRefused cannotWrite(const QString &path, int error)
{
    return JobRefused(482, QStringLiteral("The file %1 cannot be written: %2")
                               .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(error))));
}

} // namespace

int PaperCode(QPageSize::PageSizeId id)
{
    if (id == QPageSize::Custom)
        return 256;
    const int windows = QPageSize::windowsId(id);
    return windows > 0 ? windows : FirstOwnCode + int(id);
}

QPageSize::PageSizeId PageSizeOfCode(int code)
{
    if (code >= FirstOwnCode && code <= FirstOwnCode + int(QPageSize::LastPageSize))
        return QPageSize::PageSizeId(code - FirstOwnCode);
    if (code == 256)
        return QPageSize::Custom;
    return QPageSize::id(code);
}

QVector<int> OnePaperPerCode(const QVector<QueuePaper> &papers, const QString &defaultKey)
{
    QVector<int> chosen;
    QVector<int> codes;
    for (int i = 0; i < papers.size(); ++i) {
        const int code = papers[i].code;
        const QString usual = QPageSize::key(PageSizeOfCode(code));
        auto rank = [&](int at) {
            if (!usual.isEmpty() && papers[at].key == usual)
                return 2;
            return !defaultKey.isEmpty() && papers[at].key == defaultKey ? 1 : 0;
        };
        const int known = int(codes.indexOf(code));
        if (known < 0) {
            codes.append(code);
            chosen.append(i);
        } else if (rank(i) > rank(chosen[known])) {
            chosen[known] = i;
        }
    }
    return chosen;
}

QString PaperName(const QPageSize &size)
{
    if (size.id() == QPageSize::Custom)
        return size.name();
    // Qt adds other names after " / " and, for Executive, the size in
    // brackets: the first name alone is the one users know.
    QString name = QPageSize::name(size.id()).section(QStringLiteral(" / "), 0, 0);
    static const QRegularExpression bracketedSize(QStringLiteral(" \\([0-9.]+ x [0-9.]+ (in|mm)\\)$"));
    return name.remove(bracketedSize);
}

QtPrinterDevice::QtPrinterDevice(const QString &printerName)
    : m_printer(QPrinter::HighResolution), m_pdf(printerName.isEmpty())
{
    m_printer.setCreator(QStringLiteral("Tavrinel"));
    if (m_pdf) {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        // A file has no strip the printer cannot reach.
        m_printer.setFullPage(true);
    } else {
        m_printer.setPrinterName(printerName);
    }
}

QtPrinterDevice::~QtPrinterDevice()
{
    if (m_painter.isActive())
        KillDoc();
    removePartFile();
}

void QtPrinterDevice::FollowSetUp()
{
    const bool pdf = m_printer.outputFormat() == QPrinter::PdfFormat;
    if (pdf != m_pdf)
        m_printer.setFullPage(pdf);
    m_pdf = pdf;
    m_metrics.clear();
    m_recent.clear();
}

QString QtPrinterDevice::DeviceName() const
{
    return m_pdf ? QStringLiteral("PDF file") : m_printer.printerName();
}

QString QtPrinterDevice::Port() const { return m_pdf ? QStringLiteral("FILE:") : m_printer.printerName(); }

int QtPrinterDevice::Orientation() const
{
    return m_printer.pageLayout().orientation() == QPageLayout::Landscape ? Landscape : Portrait;
}

void QtPrinterDevice::SetOrientation(int orientation)
{
    m_printer.setPageOrientation(orientation == Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

int QtPrinterDevice::PaperSize() const { return PaperCode(m_printer.pageLayout().pageSize().id()); }

void QtPrinterDevice::SetPaperSize(int code)
{
    const QPageSize::PageSizeId id = PageSizeOfCode(code);
    if (id == QPageSize::Custom)
        return;
    if (m_pdf) {
        m_printer.setPageSize(QPageSize(id));
        return;
    }
    for (const QPageSize &size : queuePapers())
        if (size.id() == id) {
            m_printer.setPageSize(size);
            return;
        }
}

QList<QPageSize> QtPrinterDevice::queuePapers() const
{
    const QPrinterInfo info(m_printer);
    const QList<QPageSize> sizes = info.supportedPageSizes();
    QVector<QueuePaper> named;
    for (const QPageSize &size : sizes)
        named.append({size.key(), PaperCode(size.id())});
    QList<QPageSize> papers;
    for (int i : OnePaperPerCode(named, info.defaultPageSize().key()))
        papers.append(sizes[i]);
    return papers;
}

int QtPrinterDevice::DefaultPaperSize() const
{
    // Qt keeps the paper of the printer chosen before (or of the locale)
    // when it opens a queue; the queue's own default is asked for here.
    if (m_pdf)
        return PaperSize();
    const QPageSize size = QPrinterInfo(m_printer).defaultPageSize();
    return size.isValid() ? PaperCode(size.id()) : PaperSize();
}

QVector<PaperDesc> QtPrinterDevice::Papers() const
{
    QList<QPageSize> sizes;
    if (m_pdf)
        for (QPageSize::PageSizeId id : PdfPapers)
            sizes.append(QPageSize(id));
    else
        sizes = queuePapers();
    QVector<PaperDesc> papers;
    for (const QPageSize &size : sizes) {
        const QSizeF mm = size.size(QPageSize::Millimeter);
        papers.append({PaperName(size), PaperCode(size.id()), mm.width(), mm.height()});
    }
    return papers;
}

int QtPrinterDevice::Copies() const { return m_printer.copyCount(); }

void QtPrinterDevice::SetCopies(int copies) { m_printer.setCopyCount(std::max(1, copies)); }

void QtPrinterDevice::SetOutputFile(const QString &path)
{
    if (m_pdf)
        m_outputFile = path;
}

void QtPrinterDevice::makePartFile()
{
    // Where the file system allows, a file without a name in the folder of
    // the file named: whatever ends the process before the job is done (a
    // second signal, the time limit, a crash) leaves nothing behind. Qt
    // writes it through its link in /proc. Elsewhere a file of its own name
    // beside the one named.
    const QByteArray folder = QFile::encodeName(QFileInfo(m_outputFile).absolutePath());
    m_partFd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    m_partFile = m_partFd >= 0 ? QStringLiteral("/proc/self/fd/%1").arg(m_partFd) : nameBeside(-1);
    if (m_partFile.isEmpty())
        throw cannotWrite(m_outputFile, errno);
}

QString QtPrinterDevice::nameBeside(int fd) const
{
    // A name no file has, made here (empty, or given to the file fd) so
    // that no other file is written over; in the named file's folder, so
    // that the rename is one step. The permissions follow the user's umask,
    // as a new file's do. Empty (errno says why): no name could be made.
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd);
    for (int attempt = 0;; ++attempt) {
        const quint32 tag = QRandomGenerator::global()->bounded(1u << 24);
        const QString part = QStringLiteral("%1.%2.part").arg(m_outputFile).arg(tag, 6, 16, QLatin1Char('0'));
        const QByteArray name = QFile::encodeName(part);
        const int made = fd >= 0 ? ::linkat(AT_FDCWD, link.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW)
                           : ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (made >= 0) {
            if (fd < 0)
                ::close(made);
            return part;
        }
        if (errno != EEXIST || attempt == 100)
            return QString();
    }
}

void QtPrinterDevice::placePartFile()
{
    // Qt does not report a write that failed (a full disk): a PDF whose
    // end is missing is not complete.
    QFile written(m_partFile);
    if (!written.open(QIODevice::ReadOnly) || !written.seek(std::max<qint64>(0, written.size() - 32))
        || !written.read(32).contains("%%EOF")) {
        removePartFile();
        throw JobRefused(482, QStringLiteral("The file %1 cannot be written: the PDF is not complete.")
                                  .arg(QDir::toNativeSeparators(m_outputFile)));
    }
    const QByteArray named = QFile::encodeName(m_outputFile);
    // A file replaced keeps its permissions. The content is on the disk
    // before the file takes the name: a crash then leaves the old file or
    // the whole new one.
    struct stat old {};
    if (::stat(named.constData(), &old) == 0)
        ::fchmod(written.handle(), old.st_mode & 07777);
    int error = ::fsync(written.handle()) == 0 ? 0 : errno;
    written.close();
    if (error == 0 && m_partFd >= 0) {
        // The file gets a name of its own first: a rename replaces a file
        // in one step, a link does not.
        const QString part = nameBeside(m_partFd);
        error = part.isEmpty() ? errno : 0;
        removePartFile();
        m_partFile = part;
    }
    if (error == 0 && ::rename(QFile::encodeName(m_partFile).constData(), named.constData()) != 0)
        error = errno;
    if (error != 0) {
        removePartFile();
        throw cannotWrite(m_outputFile, error);
    }
    m_partFile.clear();
}

void QtPrinterDevice::removePartFile()
{
    // The file without a name goes with its last descriptor.
    if (m_partFd >= 0)
        ::close(m_partFd);
    else if (!m_partFile.isEmpty())
        QFile::remove(m_partFile);
    m_partFd = -1;
    m_partFile.clear();
}

// Millimetres keep the paper's own size (A4 is 210 mm, not 595 whole points).
QSizeF QtPrinterDevice::PaperTwips() const { return m_printer.paperRect(QPrinter::Millimeter).size() * TwipsPerMM; }

QRectF QtPrinterDevice::PrintableTwips() const
{
    const QRectF r = m_printer.pageRect(QPrinter::Millimeter);
    return QRectF(r.topLeft() * TwipsPerMM, r.size() * TwipsPerMM);
}

double QtPrinterDevice::Resolution() const { return m_printer.resolution(); }

QFont QtPrinterDevice::printedFont(const QFont &font) const
{
    static const bool greekFaceThere = QFontDatabase::hasFamily(GreekTextFamily);
    if (font.family() != GreekFamily || !greekFaceThere)
        return font;
    // The key font has no kerning: the printed letters keep its spacing.
    QFont f = font;
    f.setFamily(GreekTextFamily);
    f.setKerning(false);
    return f;
}

QString QtPrinterDevice::printedText(const QFont &font, const QString &text) const
{
    return printedFont(font).family() == font.family() ? text : GreekKeysToUnicode(text);
}

const QFontMetricsF &QtPrinterDevice::metrics(const QFont &font)
{
    // A page uses a few fonts in turn (a list's Greek and other columns):
    // comparing fonts with the few used last is much cheaper than making a
    // font's key.
    for (const RecentMetrics &r : m_recent)
        if (r.font == font)
            return r.metrics;
    const QString key = font.key();
    auto it = m_metrics.find(key);
    if (it == m_metrics.end())
        it = m_metrics.insert(key, QFontMetricsF(printedFont(font), &m_printer));
    if (m_recent.size() == 4)
        m_recent.removeLast();
    m_recent.prepend({font, it.value()});
    return m_recent.first().metrics;
}

double QtPrinterDevice::TextWidth(const QFont &font, const QString &text)
{
    return metrics(font).horizontalAdvance(printedText(font, text)) * TwipsPerInch / Resolution();
}

double QtPrinterDevice::LineHeight(const QFont &font) { return metrics(font).height() * TwipsPerInch / Resolution(); }

QPointF QtPrinterDevice::toDevice(const QPointF &twips) const { return twips * Resolution() / TwipsPerInch; }

QPen QtPrinterDevice::linePen(const QColor &color) const
{
    return QPen(color, LineWidthPoints * Resolution() / 72.0);
}

void QtPrinterDevice::BeginDoc()
{
    if (m_painter.isActive())
        return;
    m_waiting.clear();
    if (m_pdf) {
        if (m_outputFile.isEmpty())
            throw JobRefused(482, QStringLiteral("No file was named for the PDF output."));
        makePartFile();
        m_printer.setOutputFileName(m_partFile);
    }
    if (!m_painter.begin(&m_printer)) {
        removePartFile();
        throw JobRefused(482, m_pdf ? QStringLiteral("The file %1 cannot be written.").arg(m_outputFile)
                                    : QStringLiteral("The printer %1 cannot start the job.").arg(DeviceName()));
    }
    m_painter.setBackgroundMode(Qt::TransparentMode);
}

void QtPrinterDevice::NewPage()
{
    if (!m_printer.newPage())
        throw PrintError(482, QStringLiteral("The printer %1 cannot start a new page.").arg(DeviceName()));
}

void QtPrinterDevice::DrawText(const QPointF &topLeft, const QFont &font, const QColor &color, const QString &text)
{
    m_painter.setFont(printedFont(font));
    // The lines' pen serves the text too, so that boxes and texts in one
    // colour change no drawing state between them.
    m_painter.setPen(linePen(color));
    const QPointF at = toDevice(topLeft);
    m_painter.drawText(QPointF(at.x(), at.y() + metrics(font).ascent()), printedText(font, text));
}

void QtPrinterDevice::DrawLine(const QPointF &from, const QPointF &to, const QColor &color)
{
    m_painter.setPen(linePen(color));
    m_painter.drawLine(toDevice(from), toDevice(to));
}

void QtPrinterDevice::DrawBox(const QRectF &box, const QColor &outline, const QColor &fill)
{
    const QRectF r(toDevice(box.topLeft()), toDevice(box.bottomRight()));
    // White on white paper shows nothing: the common white cell costs no fill.
    if (fill.isValid() && fill != QColor(Qt::white))
        m_painter.fillRect(r, fill);
    if (outline.isValid()) {
        m_painter.setPen(linePen(outline));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(r);
    }
}

void QtPrinterDevice::EndDoc()
{
    if (!m_painter.isActive())
        return;
    // Qt hands the finished job to CUPS and keeps CUPS's answer to itself;
    // the queue is asked first, so that the last answer this thread saw
    // afterwards is the one to the job.
    const bool queue = !m_pdf;
    if (queue)
        cups::StateOf(DeviceName());
    m_painter.end();
    if (m_printer.printerState() == QPrinter::Error) {
        removePartFile();
        throw PrintError(482, QStringLiteral("The printer %1 reported an error.").arg(DeviceName()));
    }
    if (!queue) {
        placePartFile();
        return;
    }
    const QString failure = cups::LastFailure();
    if (!failure.isEmpty())
        throw JobRefused(482, failure);
    const cups::QueueState after = cups::StateOf(DeviceName());
    if (after.known && after.stopped)
        m_waiting = after.reasons.isEmpty() ? QStringLiteral("The printer is stopped.")
                                            : QStringLiteral("The printer is stopped (%1).").arg(after.reasons);
}

void QtPrinterDevice::KillDoc()
{
    if (!m_painter.isActive())
        return;
    m_printer.abort();
    m_painter.end();
    // A file printer leaves no half-written file behind, and the file of
    // the name chosen as it was.
    removePartFile();
}

} // namespace printer
