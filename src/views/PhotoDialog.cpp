#include "views/PhotoDialog.h"

namespace Pellora::Views {

void PhotoDialog::showEvent(QShowEvent* event)
{
    if (!mInitialised) {
        mInitialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

} // namespace Pellora::Views
