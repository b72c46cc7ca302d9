// String ids of the sample resource modules.
#pragma once

#define IDS_RESOURCE_LANGUAGE 1
