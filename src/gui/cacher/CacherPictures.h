#pragma once

#include <QIcon>

// The pictures of the address book's three link buttons, drawn here instead of shipped.
namespace CacherPictures {

QIcon envelope(); // e-mail
QIcon profile(); // the cacher's profile page
QIcon homepage(); // a home page

} // namespace CacherPictures
