#include "window/app.h"

int main(int argc, char** argv) { return quorvane::RunQuorvane(argc, argv); }
