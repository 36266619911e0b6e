// SPDX-License-Identifier: GPL-3.0-or-later
// The result label: a label whose every new text is announced to assistive technology,
// in words, so that a screen reader speaks it without the focus moving. Every text reads whole in its box, whatever face the machine gives for the
// written one.
#pragma once

#include <QFont>

#include "ui/label.h"

namespace velto {

class ResultLabel : public Label {
    Q_OBJECT

public:
    // `face` is the written face, which every text that fits the box is drawn in.
    ResultLabel(QWidget* parent, const QString& text, const QFont& face);

    // Shows `text`; a text that differs from the one shown is announced on the next
    // turn of the event loop, after what the action that led to it says of itself (the
    // focus moving to the mode button just pressed). (Hides QLabel::setText, which
    // announces nothing.)
    void setText(const QString& text);

private:
    // The written face where `text` fits the box in it; else the face at the largest
    // size (down to kSmallest pixels) at which it fits, condensed as little as it needs
    // (down to kNarrowest per cent).
    QFont FaceFor(const QString& text) const;

    static constexpr int kNarrowest = 75;
    static constexpr int kSmallest = 9;

    QFont writtenFace_;
    bool announcing_ = false;  // an announcement waits for the next turn
};

}  // namespace velto
