// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/result_label.h"

#include <QFontMetrics>
#include <QMetaObject>
#include <utility>

#include "engine/spoken_result.h"

namespace velto {
namespace {

// Screen readers speak a notification when it becomes showing; the label is one, named
// by its text in words, as a voice should say them.
class ResultAccessible : public LabelAccessible {
public:
    explicit ResultAccessible(ResultLabel* label) : LabelAccessible(label, QAccessible::Notification) {}

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name) return LabelAccessible::text(kind);
        return QString::fromStdString(SpokenResult(static_cast<const QLabel*>(widget())->text().toStdString()));
    }
};

QAccessibleInterface* Notification(ResultLabel* label) { return new ResultAccessible(label); }

}  // namespace

ResultLabel::ResultLabel(QWidget* parent, const QString& text, const QFont& face)
    : Label(parent, text), writtenFace_(face) {
    InstallAccessible<ResultLabel, Notification>();
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
        // Hidden and shown again, for assistive technology only: the text is spoken.
        QAccessibleEvent hidden(this, QAccessible::ObjectHide);
        QAccessible::updateAccessibility(&hidden);
        QAccessibleEvent shown(this, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }, Qt::QueuedConnection);
}

}  // namespace velto
