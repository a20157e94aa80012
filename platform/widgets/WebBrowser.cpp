#include "platform/widgets/WebBrowser.h"

#include "platform/HttpClient.h"

#include <QAbstractTextDocumentLayout>
#include <QHash>
#include <QImage>
#include <QScrollBar>
#include <QTextBlock>
#include <QUrl>
#include <memory>

namespace {

WebBrowser::Fetcher& CustomFetcher() {
    static WebBrowser::Fetcher fetcher;
    return fetcher;
}

// Failed fetches are kept as null pictures, so a logo server that is down costs one wait only.
QHash<QString, QImage>& PictureCache() {
    static QHash<QString, QImage> cache;
    return cache;
}

QByteArray FetchWithClient(const QString& url) {
    static std::unique_ptr<HttpClient> client;
    if (!client) {
        client = std::make_unique<HttpClient>();
        client->ConnectTimeoutMs = WebBrowser::PictureConnectTimeoutMs;
        client->StallTimeoutSec = WebBrowser::PictureStallTimeoutSec;
    }
    return client->Get(url);
}

QImage FetchPicture(const QUrl& url) {
    const QString key = url.toString();
    auto found = PictureCache().constFind(key);
    if (found != PictureCache().constEnd())
        return *found;
    QImage picture;
    try {
        const QByteArray body = CustomFetcher() ? CustomFetcher()(key) : FetchWithClient(key);
        picture.loadFromData(body);
    } catch (...) {
        picture = QImage();
    }
    PictureCache().insert(key, picture);
    return picture;
}

} // namespace

WebBrowser::WebBrowser(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setReadOnly(true);
}

void WebBrowser::Navigate(const QString& Url) {
    if (Url != QLatin1String("about:blank"))
        return;
    html_.clear();
    clear();
    hasDocument_ = true;
}

void WebBrowser::LoadHtml(const QString& Html) {
    html_ = Html;
    setHtml(Html);
    // Fetch the page's pictures now, during the load, and not at the first paint (which would run
    // inside whatever handler paints next).
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat())
                document()->resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()));
        }
    hasDocument_ = true;
}

void WebBrowser::ScrollBy(int dx, int dy) {
    // An unshown browser has no layout yet, so its scroll range would be 0.
    document()->setTextWidth(viewport()->width());
    const QSizeF size = document()->documentLayout()->documentSize();
    QScrollBar* vertical = verticalScrollBar();
    QScrollBar* horizontal = horizontalScrollBar();
    vertical->setRange(0, qMax(0, int(size.height()) - viewport()->height()));
    vertical->setValue(vertical->value() + dy);
    horizontal->setValue(horizontal->value() + dx);
}

void WebBrowser::SetBodyStyle(const QString& Property, const QString& Value) {
    const bool hidden = Value.compare(QLatin1String("hidden"), Qt::CaseInsensitive) == 0;
    if (Property.compare(QLatin1String("overflowX"), Qt::CaseInsensitive) == 0)
        setHorizontalScrollBarPolicy(hidden ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    else if (Property.compare(QLatin1String("overflowY"), Qt::CaseInsensitive) == 0)
        setVerticalScrollBarPolicy(hidden ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    else if (Property.compare(QLatin1String("borderstyle"), Qt::CaseInsensitive) == 0)
        setFrameShape(Value.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0 ? QFrame::NoFrame
                                                                                     : QFrame::StyledPanel);
}

void WebBrowser::SetFetcher(Fetcher fetcher) {
    CustomFetcher() = std::move(fetcher);
}

void WebBrowser::ClearPictureCache() {
    PictureCache().clear();
}

QVariant WebBrowser::loadResource(int type, const QUrl& name) {
    if (type != QTextDocument::ImageResource)
        return QVariant(); // pages carry no style sheets or frames of their own
    const QString scheme = name.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return QVariant(); // nothing local or of another scheme is read
    const QImage picture = FetchPicture(name);
    return picture.isNull() ? QVariant() : QVariant(picture);
}
