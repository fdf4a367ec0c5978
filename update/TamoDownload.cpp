#include "TamoDownload.h"

#include "TamoException.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>
#include <QTime>

#include <curl/curl.h>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace Tamo {

std::atomic<bool> AbortDownload{false};

namespace {

constexpr char UserAgent[] = "VorbixApp";
constexpr long ConnectTimeoutSeconds = 30;
constexpr size_t PieceSize = 1024;

std::atomic<int> StallSeconds{60};

#ifdef CURL_WRITEFUNC_ERROR
constexpr size_t WriteFailed = CURL_WRITEFUNC_ERROR;
#else
constexpr size_t WriteFailed = 0; // any count other than the one given stops the transfer
#endif

void initCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Owns one easy handle and its header list; closing order is file first (by the
// caller's scope), then this.
class CurlHandle
{
public:
    CurlHandle() : mHandle(curl_easy_init()) {}
    ~CurlHandle()
    {
        if (mHandle)
            curl_easy_cleanup(mHandle);
        if (mHeaders)
            curl_slist_free_all(mHeaders);
    }
    CurlHandle(const CurlHandle &) = delete;
    CurlHandle &operator=(const CurlHandle &) = delete;

    CURL *get() const { return mHandle; }
    void addHeader(const char *aHeader) { mHeaders = curl_slist_append(mHeaders, aHeader); }
    curl_slist *headers() const { return mHeaders; }

private:
    CURL *mHandle;
    curl_slist *mHeaders = nullptr;
};

// Settings shared by the connection test and the transfer.
void setCommonOptions(CURL *aCurl, const QByteArray &aUrl)
{
    curl_easy_setopt(aCurl, CURLOPT_URL, aUrl.constData());
    curl_easy_setopt(aCurl, CURLOPT_USERAGENT, UserAgent);
    curl_easy_setopt(aCurl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(aCurl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(aCurl, CURLOPT_MAXREDIRS, 10L);
    // Only web transports, also after a redirect: a descriptor must not lead to file:// or others.
    curl_easy_setopt(aCurl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(aCurl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(aCurl, CURLOPT_CONNECTTIMEOUT, ConnectTimeoutSeconds);
    // A server that stops sending must not block the caller forever.
    curl_easy_setopt(aCurl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(aCurl, CURLOPT_LOW_SPEED_TIME, static_cast<long>(StallSeconds.load()));
}

// The connection test: a HEAD request; any answer of the server counts as reachable.
bool checkConnection(const QString &aTestUrl)
{
    CurlHandle curl;
    if (!curl.get())
        return false;
    const QByteArray url = aTestUrl.toUtf8();
    setCommonOptions(curl.get(), url);
    curl_easy_setopt(curl.get(), CURLOPT_NOBODY, 1L);
    return curl_easy_perform(curl.get()) == CURLE_OK;
}

struct Transfer
{
    CURL *curl = nullptr;
    QFile file;
    bool abortAtStart = false;
    bool rejected = false; // the server answered with an error status
    bool aborted = false;
    QString fileError; // set when the target could not be created or written

    long status() const
    {
        long code = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code);
        return code;
    }

    // The target is created only once an answer with a good status has begun, so
    // a failed connection or an error page leaves an existing file untouched.
    bool openTarget()
    {
        if (file.isOpen())
            return true;
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
            fileError = file.errorString();
            return false;
        }
        return true;
    }
};

size_t writeBody(char *aData, size_t aSize, size_t aCount, void *aUser)
{
    auto *t = static_cast<Transfer *>(aUser);
    const size_t total = aSize * aCount;
    if (!t->file.isOpen()) {
        if (t->status() >= 400) {
            t->rejected = true;
            return WriteFailed;
        }
        if (!t->openTarget())
            return WriteFailed;
    }
    // Pieces of at most 1024 bytes, each written before the abort flag is tested.
    for (size_t done = 0; done < total;) {
        const size_t piece = std::min(PieceSize, total - done);
        if (t->file.write(aData + done, static_cast<qint64>(piece)) != static_cast<qint64>(piece)) {
            t->fileError = t->file.errorString();
            return WriteFailed;
        }
        done += piece;
        if (AbortDownload.load()) {
            t->aborted = true;
            return WriteFailed;
        }
    }
    return total;
}

// Called by libcurl about once a second also while nothing arrives: an abort requested
// during the transfer stops a stalled one too. A flag that was already set at the
// start is honoured after the first piece, as the transfer loop does.
int progress(void *aUser, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto *t = static_cast<Transfer *>(aUser);
    if (!t->abortAtStart && AbortDownload.load()) {
        t->aborted = true;
        return 1;
    }
    return 0;
}

[[noreturn]] void raiseFileError(const QString &aFileName, const QString &aReason)
{
    throw EFileError(QStringLiteral("Cannot write file \"%1\": %2").arg(aFileName, aReason).toStdString());
}

} // namespace

void SetDownloadStallSeconds(int aSeconds)
{
    StallSeconds = std::max(1, aSeconds);
}

bool DownloadFile(const QString &aUrl, const QString &aFileName, const QString &aTestUrl)
{
    initCurlOnce();
    if (!aTestUrl.isEmpty() && !checkConnection(aTestUrl))
        return false;

    QString fileError;
    bool ok = false;
    {
        CurlHandle curl;
        if (!curl.get())
            return false;
        Transfer t;
        t.curl = curl.get();
        t.file.setFileName(aFileName);
        t.abortAtStart = AbortDownload.load();

        const QByteArray url = aUrl.toUtf8();
        setCommonOptions(curl.get(), url);
        curl.addHeader("Cache-Control: no-cache");
        curl.addHeader("Pragma: no-cache");
        curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, curl.headers());
        curl_easy_setopt(curl.get(), CURLOPT_HTTPGET, 1L);
        curl_easy_setopt(curl.get(), CURLOPT_BUFFERSIZE, static_cast<long>(PieceSize));
        curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, writeBody);
        curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &t);
        curl_easy_setopt(curl.get(), CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl.get(), CURLOPT_XFERINFOFUNCTION, progress);
        curl_easy_setopt(curl.get(), CURLOPT_XFERINFODATA, &t);

        const CURLcode rc = curl_easy_perform(curl.get());
        if (rc == CURLE_OK && !t.file.isOpen()) {
            // An empty body never reaches writeBody: the answer still decides.
            if (t.status() >= 400)
                t.rejected = true;
            else
                t.openTarget(); // a failure leaves fileError set
        }
        fileError = t.fileError;
        ok = rc == CURLE_OK && !t.rejected && !t.aborted && fileError.isEmpty() && !AbortDownload.load();
        // The file is closed by Transfer's destructor, then the handle by CurlHandle's.
    }
    if (!fileError.isEmpty())
        raiseFileError(aFileName, fileError);
    return ok;
}

double StrToDateFormat(const QString &aFormat, QChar aSeparator, const QString &aText)
{
    // The format gives the order of year, month and day; "/" in it stands for the separator.
    const QString format = aFormat.toLower();
    QList<QChar> order;
    for (const QString &part : format.split(QLatin1Char('/'))) {
        if (part.isEmpty())
            return 0;
        order.append(part.at(0));
    }
    if (order.size() != 3)
        return 0;

    const QString sep = QRegularExpression::escape(QString(aSeparator));
    static const QString time =
        QStringLiteral(R"((?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2})(?:[.,](\d{1,3}))?)?)?)");
    const QRegularExpression re(QStringLiteral(R"(^\s*(\d{1,4})%1(\d{1,4})%1(\d{1,4}))").arg(sep) + time +
                                QStringLiteral(R"(\s*$)"));
    const QRegularExpressionMatch m = re.match(aText);
    if (!m.hasMatch())
        return 0;

    int year = 0, month = 0, day = 0;
    int yearDigits = 0;
    for (int i = 0; i < 3; ++i) {
        const int value = m.captured(i + 1).toInt();
        switch (order.at(i).unicode()) {
        case 'y':
            year = value;
            yearDigits = int(m.captured(i + 1).size());
            break;
        case 'm':
            month = value;
            break;
        case 'd':
            day = value;
            break;
        default:
            return 0;
        }
    }
    if (yearDigits <= 2) {
        // Two-digit years fall into the 100 years around the current one.
        const int current = QDate::currentDate().year();
        year += current / 100 * 100;
        if (year > current + 50)
            year -= 100;
        else if (year <= current - 50)
            year += 100;
    }
    const QDate date(year, month, day);
    if (year < 1 || !date.isValid())
        return 0;

    double fraction = 0;
    if (m.hasCaptured(4)) {
        const int h = m.captured(4).toInt(), n = m.captured(5).toInt();
        const int s = m.hasCaptured(6) ? m.captured(6).toInt() : 0;
        const int z = m.hasCaptured(7) ? m.captured(7).leftJustified(3, QLatin1Char('0')).toInt() : 0;
        if (h > 23 || n > 59 || s > 59)
            return 0;
        fraction = (((h * 60.0 + n) * 60.0 + s) * 1000.0 + z) / 86400000.0;
    }
    const double days = static_cast<double>(QDate(1899, 12, 30).daysTo(date));
    // Before the epoch the time of day counts away from zero, so that the whole days stay whole.
    return days < 0 ? days - fraction : days + fraction;
}

} // namespace Tamo
