#pragma once
// A view refreshed at every poll is filled (and laid out, and painted) again only when what it would
// show changed: what it shows is kept on the widget under a property name of its own.
#include <QObject>
#include <QString>
#include <QVariant>

// True, and `shown` kept under `property`, when `object` was not marked as showing `shown` already.
inline bool MarkShown(QObject* object, const char* property, const QString& shown) {
    const QVariant before = object->property(property);
    if (before.isValid() && before.toString() == shown)
        return false;
    object->setProperty(property, shown);
    return true;
}
