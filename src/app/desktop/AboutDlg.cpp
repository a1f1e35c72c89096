#include "app/desktop/AboutDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace Pellora::Desktop {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Pellora"));
    auto* name = new QLabel(QStringLiteral("<b>Pellora Beta</b>"), this);
    auto* version = new QLabel(QStringLiteral("Version %1").arg(QStringLiteral(PELLORA_VERSION)), this);
    auto* note = new QLabel(QStringLiteral("Pellora turns your photos and music into an animated slideshow video.\n"
                                           "For help, see the README that comes with the program, or ask the\n"
                                           "people who gave it to you; please tell them what you did and what\n"
                                           "the program showed."),
        this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addSpacing(8);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

} // namespace Pellora::Desktop
