// The About message box.
#pragma once

#include "ui/frame/seam.h"

#include <QString>

class QWidget;

namespace quiravel::frame {

// The application title, the caption of every About box.
QString applicationTitle();

// A modal message box with the text, the question-mark icon and one OK button under the
// application title; returns when the user has dismissed it. Lines of `text` are separated by
// CR LF.
void showAboutBox(QWidget* parent, const QString& text);

// The one seam through which every modal box goes: tests answer it without blocking. An
// empty handler restores the real box. Returns the handler that was in place.
using AboutBoxHandler = Seam<QWidget*, const QString&>::Handler;  // (parent, text)
AboutBoxHandler setAboutBoxHandler(AboutBoxHandler handler);

}  // namespace quiravel::frame
