// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/result_label.h"

#include <QFontMetrics>
#include <QMetaObject>
#include <utility>

#include "engine/spoken_result.h"
#include "ui/accessible_text.h"

namespace velto {
namespace {

// A result as a voice should say it.
QString InWords(const QString& text) { return QString::fromStdString(SpokenResult(text.toStdString())); }

// Assistive technology reads the label by its text in words, as a voice should say
// them: its name and its text are those words. Up to Qt 6.7 it is a notification, which
// screen readers speak as it becomes showing; from Qt 6.8 on, which can announce a text
// outright, a plain label, since Orca 48 says the word "notification" before every
// notification. A label's text is read only through its text interface (Orca 48 reads
// the status bar so), which offers nothing to select and no cursor.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
constexpr QAccessible::Role kRole = QAccessible::StaticText;
#else
constexpr QAccessible::Role kRole = QAccessible::Notification;
#endif

class ResultAccessible : public LabelAccessible, public AccessibleText {
public:
    explicit ResultAccessible(ResultLabel* label) : LabelAccessible(label, kRole) {}

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? readText() : LabelAccessible::text(kind);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : LabelAccessible::interface_cast(type);
    }

    QString readText() const override { return InWords(static_cast<const QLabel*>(widget())->text()); }
    using AccessibleText::text;
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
};

QAccessibleInterface* AsResult(ResultLabel* label) { return new ResultAccessible(label); }

}  // namespace

ResultLabel::ResultLabel(QWidget* parent, const QString& text, const QFont& face)
    : Label(parent, text), writtenFace_(face) {
    InstallAccessible<ResultLabel, AsResult>();
    setFont(face);
}

QFont ResultLabel::FaceFor(const QString& text) const {
    const auto fits = [this, &text](const QFont& face) {
        const QRect needed = QFontMetrics(face).boundingRect(rect(), static_cast<int>(alignment()) | Qt::TextWordWrap, text);
        return needed.width() <= width() && needed.height() <= height();
    };
    if (fits(writtenFace_)) return writtenFace_;
    QFont face = writtenFace_;
    for (int pixels = writtenFace_.pixelSize(); pixels >= kSmallest; --pixels) {
        face.setPixelSize(pixels);
        for (int stretch = 100; stretch >= kNarrowest; stretch -= 5) {
            face.setStretch(stretch);
            if (fits(face)) return face;
        }
    }
    return face;
}

void ResultLabel::setText(const QString& text) {
    if (text == this->text()) return;
    setFont(FaceFor(text));
    Label::setText(text);
    if (std::exchange(announcing_, true)) return;
    QMetaObject::invokeMethod(this, [this] {
        announcing_ = false;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        QAccessibleAnnouncementEvent announcement(this, InWords(this->text()));
        QAccessible::updateAccessibility(&announcement);
#else
        // Hidden and shown again, for assistive technology only: the text is spoken.
        QAccessibleEvent hidden(this, QAccessible::ObjectHide);
        QAccessible::updateAccessibility(&hidden);
        QAccessibleEvent shown(this, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
#endif
    }, Qt::QueuedConnection);
}

}  // namespace velto
