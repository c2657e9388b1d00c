// SPDX-License-Identifier: GPL-3.0-or-later
// The mail string of the About box.
#include "fs/Shell.h"

#include "Product.h"

namespace arbolink {

std::string MailToText(const std::string& argument) {
    return argument + "cc= &" + "subject=『" + kProductName + "』" + kVersionText + " について&" +
           "body= &";
}

} // namespace arbolink
