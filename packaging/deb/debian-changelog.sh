#!/usr/bin/env bash
# Writes the Debian package's changelog from CHANGELOG.md: one entry per version, from VERSION
# down to the oldest, each "talvorne (VERSION-1)" with its kinds of change as items and its date.
# Sections above VERSION (Unreleased, or versions not yet built) are left out.
# Usage: debian-changelog.sh CHANGELOG.md VERSION MAINTAINER
set -euo pipefail
(($# == 3)) || { echo "usage: $0 CHANGELOG.md VERSION MAINTAINER" >&2; exit 2; }
changelog=$1
version=$2
maintainer=$3

entry=  # the version whose entry is being written
date=
started=0
end_entry() {
  [[ -n $entry ]] || return 0
  printf '\n -- %s  %s\n\n' "$maintainer" "$(date -u -R -d "$date")"
  entry=
}

while IFS= read -r line; do
  if [[ $line =~ ^'## ['([^]]+)'] - '([0-9]{4}-[0-9]{2}-[0-9]{2})$ ]]; then
    end_entry
    [[ ${BASH_REMATCH[1]} == "$version" ]] && started=1
    ((started)) || continue
    entry=${BASH_REMATCH[1]}
    date=${BASH_REMATCH[2]}
    printf 'talvorne (%s-1) stable; urgency=medium\n\n' "$entry"
  elif [[ $line == '## '* ]]; then
    end_entry  # Unreleased, or a heading this script does not know
  elif [[ -n $entry ]]; then
    case $line in
      '### '*) printf '  * %s:\n' "${line#'### '}" ;;
      '- '*) printf '    %s\n' "$line" ;;
      '  '*) printf '    %s\n' "$line" ;;
    esac
  fi
done <"$changelog"
end_entry

((started)) || { echo "$changelog: no section for version $version" >&2; exit 1; }
