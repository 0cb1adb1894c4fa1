#!/usr/bin/env bash
# The guide tells every message the program can show: each text of the program's text headers is
# found in docs/guide.html, the parts around a "%s", "%d" or "%x" each on its own, without the "&"
# that marks a button's access key.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
guide=$root/docs/guide.html
missing=0
while IFS= read -r text; do
  while IFS= read -r part; do
    [[ -z $part ]] || grep -qF -- "$part" "$guide" || {
      echo "FAILED: not in the guide: \"$part\" (of \"$text\")"
      missing=1
    }
  done < <(sed 's/&//g; s/%[sdx]/\n/g' <<<"$text")
# A definition may go on over several lines, its text in several literals put end to end.
done < <(perl -0777 -ne 'while (/inline constexpr[^=;]*=\s*((?:"(?:[^"\\]|\\.)*"\s*)+);/g) {
    (my $text = $1) =~ s/"\s*"//g; $text =~ s/^"|"\s*$//g; print "$text\n" }' \
  "$root"/device/device_texts.h "$root"/handoff/handoff_texts.h "$root"/shell/shell_texts.h \
  "$root"/win32/win32_texts.h)
((missing == 0)) && echo "The guide tells every text of the program's text headers"
exit "$missing"
