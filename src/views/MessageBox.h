#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace Pellora::Views {

// One message the program shows the user: text, caption and icon as the box displays them.
struct MessageRecord {
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Tests install a hook to read messages instead of answering modal boxes; with no hook every
// message is a modal QMessageBox with an OK button.
using MessageHook = std::function<void(const MessageRecord&)>;
void SetMessageHook(MessageHook hook);

void ShowMessage(QWidget* parent, const QString& text, const QString& caption,
    QMessageBox::Icon icon = QMessageBox::NoIcon);

} // namespace Pellora::Views
