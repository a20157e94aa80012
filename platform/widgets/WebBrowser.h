#pragma once
// The embedded HTML display of the matches window: commentary pages, the selected event, club logos.
// A QTextBrowser with the few browser operations the window uses. Pages load synchronously: a load
// never processes window messages, so no click or timer tick can run in the middle of one. Remote
// pictures (http and https only) are fetched once through an HTTP client with a short time-out and
// kept in a cache shared by every browser; other addresses show no picture.
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
    // Replaces the document's content by Html.
    void LoadHtml(const QString& Html);
    // The HTML text of the latest load.
    const QString& Html() const { return html_; }
    // Scrolls the page by (dx, dy) pixels, laid out first so that it works before the first paint.
    void ScrollBy(int dx, int dy);
    // The body style properties the window sets: overflowX / overflowY "hidden" remove that scroll bar,
    // borderstyle "none" removes the frame. Others are ignored.
    void SetBodyStyle(const QString& Property, const QString& Value);

    // How remote pictures are fetched: the body of a GET, or an exception. Replaced by tests; an empty
    // function restores the HTTP client. Clearing the cache forgets every fetched picture.
    using Fetcher = std::function<QByteArray(const QString& url)>;
    static void SetFetcher(Fetcher fetcher);
    static void ClearPictureCache();
    // Time limits of a picture fetch.
    static constexpr int PictureConnectTimeoutMs = 2000;
    static constexpr int PictureStallTimeoutSec = 3;

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    QString html_;
    bool hasDocument_ = false;
};
