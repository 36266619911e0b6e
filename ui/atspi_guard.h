// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in front of Qt's AT-SPI bridge for every assistive-technology client: a call
// whose arguments differ from those its method declares is refused (Qt's bridge reads
// them unchecked and crashes), as is a call of a method that the object does not
// declare; ranges are kept within their text (its loop over a range would run for
// ever), and a method the bridge never answers is refused at once.
#pragma once

#include <QDBusVirtualObject>
#include <QHash>
#include <QString>

namespace velto {

class AtSpiGuard : public QDBusVirtualObject {
    Q_OBJECT

public:
    // `bridge` answers every call that passes; the guard belongs to it.
    explicit AtSpiGuard(QDBusVirtualObject* bridge);

    // Puts a guard in front of Qt's bridge on the accessibility bus, once the bus is
    // active: at once if it is, else when it becomes so.
    static void Install();

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    // The argument types that the method `message` calls declares, or a null string
    // where the object at its path declares no such method.
    QString Declared(const QDBusMessage& message);

    QDBusVirtualObject* bridge_;
    QHash<QString, QString> declared_;  // "interface.method" to its argument types
};

}  // namespace velto
