#pragma once
// The Qt image of an icon resource. Internal to the framework.

#include <QIcon>

#include "platform/framework/resources.h"

namespace framework {

// Every size of the icon; a null QIcon for an empty one.
QIcon LoadQIcon(const Icon& icon);

}  // namespace framework
