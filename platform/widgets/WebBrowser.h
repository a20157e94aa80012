#pragma once
// The embedded HTML display of the matches window: commentary pages, the selected event, club logos.
// A QTextBrowser with the few browser operations the window uses. Pages load synchronously: a load
// never processes window messages, so no click or timer tick can run in the middle of one.
//
// A page is service text: whatever it names, the display reads no local file and no address of any
// scheme on its own. A page shows at most the one picture its loader names (a club logo, http or
// https), fetched once through an HTTP client of its own with its own limits and the program's proxy,
// and kept in a cache shared by every browser. Every other picture, style sheet or background is empty.
#include "platform/HttpClient.h"

#include <QByteArray>
#include <QString>
#include <QTextBrowser>
#include <functional>

class WebBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit WebBrowser(QWidget* parent = nullptr);

    // "about:blank" gives an empty document; any other address is not followed.
    void Navigate(const QString& Url);
    // 4 (complete) once a document exists, 0 before the first Navigate.
    int ReadyState() const { return hasDocument_ ? 4 : 0; }
    bool HasDocument() const { return hasDocument_; }
    // Replaces the document's content by Html; the page shows no picture.
    void LoadHtml(const QString& Html);
    // The same for a page whose one picture is PictureUrl (an absolute http or https address): that
    // address alone is fetched, during the load.
    void LoadHtml(const QString& Html, const QString& PictureUrl);
    // Shows Html, a page without picture, when the page shown is Html with a part missing just before
    // Tail (a page that grew at its end): only that part is read, inside Head and Tail so that it takes
    // the page's style, and added at the page's end. False, showing nothing new, when the page shown is
    // not such a beginning of Html or ends where a part added alone might read otherwise (inside a
    // list or table, after a tag that is neither a closing one nor a line break).
    bool ExtendHtml(const QString& Html, const QString& Head, const QString& Tail);
    // The HTML text of the latest load.
    const QString& Html() const { return html_; }
    // Scrolls the page by (dx, dy) pixels, laid out first so that it works before the first paint.
    void ScrollBy(int dx, int dy);
    // Scrolls the page to (x, y), or as near as it goes, laid out first like ScrollBy.
    void ScrollTo(int x, int y);
    // The body style properties the window sets: overflowX / overflowY "hidden" remove that scroll bar,
    // borderstyle "none" removes the frame. Others are ignored.
    void SetBodyStyle(const QString& Property, const QString& Value);

    // Limits of a picture fetch; a picture larger than MaxSide pixels on a side is not decoded.
    struct PictureLimits {
        int ConnectTimeoutMs = 2000;
        int StallTimeoutSec = 3;
        int OverallTimeoutMs = 10000;
        qint64 MaxBytes = 4LL * 1024 * 1024;
        int MaxSide = 1024;
    };
    static PictureLimits& Limits();
    // The proxy of picture fetches: the program's own settings, like every other request.
    static void SetPictureProxy(const HttpProxyParams& Proxy);
    // How remote pictures are fetched: the body of a GET, or an exception. Replaced by tests; an empty
    // function restores the HTTP client. Clearing the cache forgets every fetched picture.
    using Fetcher = std::function<QByteArray(const QString& url)>;
    static void SetFetcher(Fetcher fetcher);
    static void ClearPictureCache();
    // Why the latest picture fetch showed no picture; "" after one that did.
    static QString LastPictureError();

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    void removeOtherPictures();
    // Lays the page out at the browser's width if it is not, and sets the vertical scroll range to it.
    void setScrollRange();

    QString html_;
    QString picture_; // the one picture address of the shown page; "" for none
    bool hasDocument_ = false;
};
