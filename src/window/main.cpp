// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/app.h"

int main(int argc, char** argv) { return quorvane::RunQuorvane(argc, argv); }
