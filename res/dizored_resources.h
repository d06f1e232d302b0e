#pragma once

#include "platform/framework/resources.h"

// The dialogs, strings and icon of Dizored.
const framework::ResourceModule& DizoredResources();
