#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The project's version is the newest entry of NEWS.md and the newest
# release of the AppStream metadata, so that a release updates all three:
#   check_version.sh VERSION NEWS.md METAINFO
set -u
version=$1 news=$2 metainfo=$3
fail=0
news_version=$(grep -m1 -oE '^## [0-9][0-9.]*' "$news" | cut -c4-)
if [ "$news_version" != "$version" ]; then
  echo "$news: newest entry is '$news_version', the project's version is $version" >&2
  fail=1
fi
meta_version=$(grep -m1 -oE '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)
if [ "$meta_version" != "$version" ]; then
  echo "$metainfo: newest release is '$meta_version', the project's version is $version" >&2
  fail=1
fi
exit $fail
