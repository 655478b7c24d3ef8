# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the run scripts: what each fuzzer starts from and how long its inputs get.
# Sets seeds, dict and max_len for the fuzzer named in $target.
case "$target" in
  midi_length) seeds=("$here/../assets/music"); dict="$here/midi.dict"; max_len=4096 ;;
  table_file) seeds=("$here/table_seeds"); dict="$here/table_file.dict"; max_len=4096 ;;
  *) echo "unknown fuzzer: $target (midi_length or table_file)" >&2; exit 2 ;;
esac
