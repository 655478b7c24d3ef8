#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Quorvane from the folder that holds it with its songs and effects.
here=$(dirname "$(readlink -f "$0")")
exec "$here/../lib/quorvane/quorvane" "$@"
