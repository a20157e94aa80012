#include "platform/widgets/WebBrowser.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QUrl>
#include <limits>
#include <memory>

namespace {

WebBrowser::Fetcher& CustomFetcher() {
    static WebBrowser::Fetcher fetcher;
    return fetcher;
}

HttpProxyParams& PictureProxy() {
    static HttpProxyParams proxy;
    return proxy;
}

QString& LastError() {
    static QString error;
    return error;
}

// Failed fetches are kept as null pictures, so a logo server that is down costs one wait only.
QHash<QString, QImage>& PictureCache() {
    static QHash<QString, QImage> cache;
    return cache;
}

QByteArray FetchWithClient(const QString& url) {
    static std::unique_ptr<HttpClient> client;
    if (!client)
        client = std::make_unique<HttpClient>();
    const WebBrowser::PictureLimits& limits = WebBrowser::Limits();
    client->ConnectTimeoutMs = limits.ConnectTimeoutMs;
    client->StallTimeoutSec = limits.StallTimeoutSec;
    client->OverallTimeoutMs = limits.OverallTimeoutMs;
    client->MaxAnswerBytes = limits.MaxBytes;
    client->ProxyParams = PictureProxy();
    return client->Get(url);
}

// The picture of an answer; a null one when it is no picture or one too large to decode.
QImage Decode(const QByteArray& body) {
    QBuffer buffer;
    buffer.setData(body);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    const int maxSide = WebBrowser::Limits().MaxSide;
    if (!size.isValid() || size.width() > maxSide || size.height() > maxSide) {
        LastError() = QStringLiteral("Not a picture of at most %1 x %1 pixels").arg(maxSide);
        return QImage();
    }
    QImage picture = reader.read();
    if (picture.isNull())
        LastError() = reader.errorString();
    return picture;
}

QImage FetchPicture(const QString& url) {
    auto found = PictureCache().constFind(url);
    if (found != PictureCache().constEnd())
        return *found;
    QImage picture;
    LastError().clear();
    try {
        picture = Decode(CustomFetcher() ? CustomFetcher()(url) : FetchWithClient(url));
    } catch (const Exception& e) {
        LastError() = e.Message;
    } catch (...) {
        LastError() = QStringLiteral("The picture could not be fetched");
    }
    PictureCache().insert(url, picture);
    return picture;
}

// Html without its picture tags. The text engine takes time that grows with the square of the number
// of pictures on a page (a few thousand hold the window for seconds), so a page that shows none gets
// none to read.
QString WithoutPictureTags(const QString& html) {
    QString out;
    qsizetype from = 0;
    for (qsizetype at = html.indexOf(QLatin1String("<img"), 0, Qt::CaseInsensitive); at >= 0;
         at = html.indexOf(QLatin1String("<img"), from, Qt::CaseInsensitive)) {
        const QChar next = at + 4 < html.size() ? html.at(at + 4) : QChar();
        const qsizetype close = html.indexOf(u'>', at);
        if (close < 0)
            break;
        if (next.isSpace() || next == u'/' || next == u'>') {
            out += QStringView(html).mid(from, at - from);
            from = close + 1;
        } else {
            out += QStringView(html).mid(from, at + 4 - from);
            from = at + 4;
        }
    }
    out += QStringView(html).mid(from);
    return out;
}

bool IsWebAddress(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty();
}

// What the page gets for a picture it may not show. Never a null picture: for one of those the text
// engine goes and reads the picture's name as a local file.
const QImage& NoPicture() {
    static const QImage none = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        return image;
    }();
    return none;
}

} // namespace

WebBrowser::WebBrowser(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setReadOnly(true);
    setUndoRedoEnabled(false); // pages are replaced, never edited
    // The pages are the game's texts, shown as they stream in, and a live commentary grows at every
    // poll into one long paragraph that is laid out again whole. The text engine's plain path leaves
    // out the optional typography (kerning, optional ligatures) of scripts that read the same without
    // it, and lays such a paragraph out in about a third of the time; scripts that need shaping to be
    // read are still shaped. Only the strategy is set: the font itself still follows the window's.
    QFont plain;
    plain.setStyleStrategy(QFont::PreferNoShaping);
    setFont(plain);
}

void WebBrowser::Navigate(const QString& Url) {
    if (Url != QLatin1String("about:blank"))
        return;
    html_.clear();
    picture_.clear();
    clear();
    hasDocument_ = true;
}

void WebBrowser::LoadHtml(const QString& Html) {
    LoadHtml(Html, QString());
}

void WebBrowser::LoadHtml(const QString& Html, const QString& PictureUrl) {
    html_ = Html;
    picture_ = IsWebAddress(QUrl(PictureUrl)) ? PictureUrl : QString();
    setHtml(picture_.isEmpty() ? WithoutPictureTags(Html) : Html);
    // Pictures the page names on its own go before anything lays the page out: nothing is reserved for
    // them and nothing asks for them.
    removeOtherPictures();
    // The page's picture is fetched now, during the load, and not at the first paint (which would run
    // inside whatever handler paints next).
    if (!picture_.isEmpty())
        document()->resource(QTextDocument::ImageResource, QUrl(picture_));
    hasDocument_ = true;
}

namespace {

// Where a paragraph that grows at its end can look different from: the top of the line above its last
// one (a line's glyphs may reach a little into the line above), or the paragraph's top when it has no
// lines laid out.
qreal GrowingPartTop(const QTextBlock& block) {
    const QTextLayout* lines = block.layout();
    const QRectF box = block.document()->documentLayout()->blockBoundingRect(block);
    if (!lines || lines->lineCount() == 0)
        return box.top();
    return box.top() + lines->lineAt(std::max(0, lines->lineCount() - 2)).y();
}

} // namespace

bool WebBrowser::ExtendHtml(const QString& Html, const QString& Head, const QString& Tail) {
    if (!hasDocument_ || !picture_.isEmpty() || Html.size() <= html_.size() || !Html.startsWith(Head) ||
        !Html.endsWith(Tail) || !html_.endsWith(Tail))
        return false;
    const QStringView shown = QStringView(html_).chopped(Tail.size());
    if (shown.size() <= Head.size() || !QStringView(Html).startsWith(shown))
        return false;
    const QString added = Html.mid(shown.size(), Html.size() - html_.size());
    // The join is neither inside a tag or a character reference nor at a blank.
    const qsizetype tagEnd = shown.lastIndexOf(u'>');
    const qsizetype reference = shown.lastIndexOf(u'&');
    if (shown.lastIndexOf(u'<') > tagEnd || (reference > tagEnd && shown.indexOf(u';', reference) < 0) ||
        shown.back().isSpace() || added.front().isSpace())
        return false;
    // One edit from here: a cursor moved inside an edit leaves its place on screen uncomputed (placing
    // it at the page's end would shape the whole last paragraph), and the new part is laid out once.
    QTextCursor end(document());
    end.beginEditBlock();
    end.movePosition(QTextCursor::End);
    // Nothing the page shown left open goes on around the new part: its end has the page's own block
    // and character formats, outside any list or table.
    QTextDocument plain;
    plain.setDefaultFont(document()->defaultFont());
    plain.setHtml(Head + QStringLiteral("x") + Tail);
    QTextCursor first(&plain);
    first.movePosition(QTextCursor::NextCharacter);
    if (end.currentFrame() != document()->rootFrame() || end.currentList() || end.currentTable() ||
        end.charFormat() != first.charFormat() || end.blockFormat() != first.blockFormat()) {
        end.endEditBlock();
        return false;
    }
    // The paragraph that grows is laid out again whole; its shaped glyphs, and those of the paragraphs
    // the new part adds, are kept for the paint that follows, which would otherwise shape every line it
    // draws once more.
    const QTextBlock grown = end.block();
    const qreal changedFrom = GrowingPartTop(grown);
    const Qt::LayoutDirection direction = grown.textDirection();
    end.insertHtml(Head + WithoutPictureTags(added) + Tail);
    for (QTextBlock block = grown; block.isValid(); block = block.next())
        block.layout()->setCacheEnabled(true);
    // Only what changed on the page is painted again: the lines above the paragraph's last one are laid
    // out as they were (a line takes the words that fit, whatever follows them), unless the paragraph
    // turned to the other writing direction.
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    {
        const QSignalBlocker whole(layout);
        end.endEditBlock();
    }
    const qreal from = grown.textDirection() == direction ? changedFrom : 0;
    emit layout->documentSizeChanged(layout->documentSize());
    emit layout->update(QRectF(0, from, std::numeric_limits<int>::max(), std::numeric_limits<int>::max()));
    // The page shown had no picture, and the part added had its picture tags taken out: there is none to
    // remove.
    html_ = Html;
    return true;
}

void WebBrowser::removeOtherPictures() {
    const QUrl allowed(picture_);
    QList<int> positions;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat() &&
                (picture_.isEmpty() || QUrl(format.toImageFormat().name()) != allowed))
                for (int i = 0; i < fragment.length(); ++i)
                    positions.append(fragment.position() + i);
        }
    // From the end, so that the positions not yet removed stay where they are; one edit, one layout.
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (auto it = positions.crbegin(); it != positions.crend(); ++it) {
        cursor.setPosition(*it);
        cursor.setPosition(*it + 1, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    cursor.endEditBlock();
}

void WebBrowser::ScrollBy(int dx, int dy) {
    setScrollRange();
    verticalScrollBar()->setValue(verticalScrollBar()->value() + dy);
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + dx);
}

void WebBrowser::ScrollTo(int x, int y) {
    setScrollRange();
    verticalScrollBar()->setValue(y);
    horizontalScrollBar()->setValue(x);
}

void WebBrowser::setScrollRange() {
    // An unshown browser has no layout yet, so its scroll range would be 0. A page already laid out
    // at this width is not laid out again (a new text width always lays the whole page out).
    if (document()->textWidth() != viewport()->width())
        document()->setTextWidth(viewport()->width());
    const QSizeF size = document()->documentLayout()->documentSize();
    verticalScrollBar()->setRange(0, qMax(0, int(size.height()) - viewport()->height()));
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

WebBrowser::PictureLimits& WebBrowser::Limits() {
    static PictureLimits limits;
    return limits;
}

void WebBrowser::SetPictureProxy(const HttpProxyParams& Proxy) {
    PictureProxy() = Proxy;
}

void WebBrowser::SetFetcher(Fetcher fetcher) {
    CustomFetcher() = std::move(fetcher);
}

void WebBrowser::ClearPictureCache() {
    PictureCache().clear();
    LastError().clear();
}

QString WebBrowser::LastPictureError() {
    return LastError();
}

QVariant WebBrowser::loadResource(int type, const QUrl& name) {
    // Every answer is a value: an empty one would let the text engine read the name from the local
    // file system itself.
    if (type != QTextDocument::ImageResource)
        return QVariant(QString()); // no style sheet, frame or page of its own
    if (picture_.isEmpty() || name != QUrl(picture_))
        return QVariant(NoPicture());
    const QImage picture = FetchPicture(picture_);
    return QVariant(picture.isNull() ? NoPicture() : picture);
}
