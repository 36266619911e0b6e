// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in front of Qt's AT-SPI bridge for every assistive-technology client, from the
// moment the bridge comes up: a call passes only where the object declares it (its
// method with the argument types it declares; for properties, a property that one of
// its interfaces declares, readable to get and writable to set, with a value of its
// type), since Qt's bridge reads arguments unchecked and crashes. Ranges are kept within
// their text, GetAll is answered from the properties' own answers, and what the bridge
// leaves unanswered is answered here.
#pragma once

#include <QDBusError>
#include <QDBusVirtualObject>
#include <QHash>
#include <QString>
#include <QStringList>

namespace velto {

class AtSpiGuard : public QDBusVirtualObject {
    Q_OBJECT

public:
    // `bridge` answers every call that passes; without one, the guard finds Qt's bridge
    // once that has come up behind it.
    explicit AtSpiGuard(QDBusVirtualObject* bridge = nullptr);

    // Puts a guard where Qt's bridge serves its objects on the accessibility bus, before
    // the bridge itself would stand there: as the bridge tells that it becomes active.
    static void Install();

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    // What an object declares: its methods with their argument types, its interfaces'
    // properties in order with their types, and which of those may be set.
    struct Declarations {
        QHash<QString, QString> methods;       // "interface.method" to its argument types
        QHash<QString, QStringList> readable;  // every interface to its readable properties
        QHash<QString, QString> types;         // "interface.property" to its type
        QStringList writable;                  // "interface.property"
    };
    const Declarations& DeclaredAt(const QString& path);
    QDBusVirtualObject* Bridge() const;
    // Why `message` may not reach the bridge, as an error to answer it with; no error
    // where it may.
    QDBusError Refusal(const QDBusMessage& message);
    // Answers Properties.GetAll of a declared interface with what Get of each readable
    // property answers, asked of this object on its own connection.
    void AnswerGetAll(const QDBusMessage& message, const QDBusConnection& connection);

    mutable QDBusVirtualObject* bridge_;
    QHash<QString, Declarations> declared_;  // by the introspection text that declares it
};

}  // namespace velto
