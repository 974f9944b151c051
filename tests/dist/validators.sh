#!/usr/bin/env bash
# The desktop entry and the software-centre metadata pass their validators
# without an error or a warning.
source "$(dirname "$0")/common.sh"
need desktop-file-validate appstreamcli

entry=$NUV_DIST/$NUV_APP_ID.desktop
report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $report"
[[ -z $report ]] || fail "desktop-file-validate: $report"

metainfo=$NUV_DIST/$NUV_APP_ID.metainfo.xml
report=$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1) || fail "appstreamcli: $report"
if grep -E '^(E|W):' <<<"$report"; then
  fail "appstreamcli: $report"
fi
