#!/usr/bin/env bash
# scripts/check-layers on two small trees: a clean one passes without a
# word; in the other, a window's part that includes its window's header and
# defines one of its members, another window that includes it and a window
# header grown past its size are each named, and the check fails.
set -euo pipefail
check=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

# A file with the given lines.
put() {
  mkdir -p "$(dirname "$1")"
  printf '%s\n' "${@:2}" >"$1"
}

make_clean_tree() {
  local t=$1
  mkdir -p "$t"/src/{library,languages,platform}
  put "$t/src/core/text.cpp" '#include <string>'
  put "$t/src/ui/chrome/kit.h" 'class TKit {};'
  put "$t/src/ui/window_links.h" 'class CardLink;'
  put "$t/src/ui/cards/card_form.h" '#include "ui/chrome/kit.h"' 'class TCardForm : public TKit {' ' void Show();' '};'
  put "$t/src/ui/cards/card_form.cpp" '#include "ui/cards/card_form.h"' '#include "ui/cards/card_row.h"' \
    'void TCardForm::Show() {}'
  put "$t/src/ui/cards/card_row.h" '#include "ui/window_links.h"' 'class TCardRow {};'
  put "$t/src/ui/spreads/spreads_form.h" 'class TSpreadsForm {};'
  put "$t/src/ui/spreads/spreads_form.cpp" '#include "ui/spreads/spreads_form.h"' \
    '#include "ui/spreads/card_form.h"' '#include "ui/spreads/deck_groups_form.h"'
  put "$t/src/ui/spreads/card_form.h" 'class TCardForm2 {};'
  put "$t/src/ui/spreads/deck_groups_form.h" 'class TDeckGroupsForm {};'
  put "$t/src/app/program.cpp" '#include "ui/cards/card_form.h"' \
    'void Start(TCardForm& form) { form.Show(); }'
}

failed=0
expect() {
  local name=$1 want_rc=$2 want=$3 got rc=0
  got=$("$check" "$root/$name") || rc=$?
  if [[ "$rc" != "$want_rc" || "$got" != "$want" ]]; then
    echo "$name: exit $rc (expected $want_rc), printed:"
    echo "$got"
    echo "expected:"
    echo "$want"
    failed=1
  fi
}

make_clean_tree "$root/clean"
expect clean 0 ""

make_clean_tree "$root/broken"
put "$root/broken/src/ui/cards/card_row.cpp" '#include "ui/cards/card_form.h"' \
  'void TCardForm::Show() {}'
put "$root/broken/src/ui/viewer/about_form.cpp" '#include "ui/cards/card_form.h"'
seq 161 | sed 's/^/\/\/ /' >"$root/broken/src/ui/viewer/about_form.h"
expect broken 1 "src/ui/viewer/about_form.cpp: includes another window's header (ui/cards/card_form.h)
src/ui/cards/card_row.cpp: a window's part includes a window's header (ui/cards/card_form.h)
src/ui/viewer/about_form.cpp: includes a window's header that only its own source, src/app and its owner include (ui/cards/card_form.h)
src/ui/cards/card_row.cpp:2: defines a member of TCardForm outside src/ui/cards/card_form.cpp: void TCardForm::Show() {}
src/ui/viewer/about_form.h: 161 lines; the window layer's headers hold at most 160"

exit "$failed"
