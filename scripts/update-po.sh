#!/usr/bin/env bash
# Regenerates po/tavik.pot from the sources and the form resources, and
# merges it into every catalogue in po/. Run it after adding or changing UI
# texts, then translate the new entries of po/en.po.
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C.UTF-8
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The form resources' texts, as C++ that xgettext reads.
wxrc=$(command -v wxrc || command -v wxrc-3.2)
"$wxrc" -g res/*.xrc -o "$work/xrc_strings.cpp"
# Each text named after its resource file rather than a temporary file.
sed -n 's|^#line [0-9]* "\(.*\)"|// \1|p; /^_(/p' "$work/xrc_strings.cpp" >"$work/res_strings.cpp"

# The search's notices and messages are marked TAVIK_NOTICE in the core.
xgettext --language=C++ --from-code=UTF-8 --keyword=_ --keyword=wxTRANSLATE \
    --keyword=wxGetTranslation --keyword=wxPLURAL:1,2 --keyword=TAVIK_NOTICE \
    --package-name=tavik --no-location --add-comments=TRANSLATORS: --no-wrap \
    -o po/tavik.pot src/app/*.cpp src/app/*.h src/dict/*.cpp src/dict/*.h "$work/res_strings.cpp"

for catalogue in po/*.po; do
    [ -e "$catalogue" ] || continue
    msgmerge --quiet --update --backup=none --no-fuzzy-matching "$catalogue" po/tavik.pot
done
echo "po/tavik.pot: $(grep -c '^msgid ' po/tavik.pot) texts"
