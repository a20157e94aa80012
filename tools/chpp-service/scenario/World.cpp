#include "World.h"

struct World::Impl {};

World::World() : d(new Impl) {}
World::~World() { delete d; }

std::optional<int> World::Login(const QString& userName, const QString& securityCode) const {
    if (userName.compare(QStringLiteral("demo"), Qt::CaseInsensitive) == 0 &&
        securityCode == QStringLiteral("velkaro"))
        return 1001;
    return std::nullopt;
}

QDateTime World::DefaultStart() const {
    return QDateTime(QDate(2024, 3, 16), QTime(18, 55, 0), Qt::UTC);
}

WorldAnswer World::Answer(int, const QString&, const QMap<QString, QString>&, const QDateTime&) {
    WorldAnswer a;
    a.body = ErrorDocument(-1, QStringLiteral("Not yet available"));
    return a;
}

QByteArray World::ErrorDocument(int errorCode, const QString& error) const {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<HattrickData>"
                          "<FileName>chpperror.xml</FileName><ErrorCode>%1</ErrorCode><Error>%2</Error>"
                          "</HattrickData>")
        .arg(errorCode)
        .arg(error.toHtmlEscaped())
        .toUtf8();
}

QByteArray World::KitPicture(const QString&) const { return {}; }
