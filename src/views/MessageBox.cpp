#include "views/MessageBox.h"

namespace Pellora::Views {

namespace {

MessageHook& Hook()
{
    static MessageHook hook;
    return hook;
}

} // namespace

void SetMessageHook(MessageHook hook)
{
    Hook() = std::move(hook);
}

void ShowMessage(QWidget* parent, const QString& text, const QString& caption, QMessageBox::Icon icon)
{
    if (Hook()) {
        Hook()({text, caption, icon});
        return;
    }
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace Pellora::Views
