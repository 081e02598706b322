#pragma once
// Resource ids of the module's own resources.
#define IDR_BRACKWYNVTL 101
#define IDR_OPTIONS 102
#define IDI_TOOLBAR 227
#define IDI_ABOUT 214
