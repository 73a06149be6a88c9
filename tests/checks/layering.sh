#!/usr/bin/env bash
# Only src/platform may include library or POSIX system headers, and each folder of
# src includes only headers of its own layer and the layers below it:
#   app > shell > game logic (game, script, windows, extras)
#       > engine objects (graphics, sound, system) > platform.
set -u
root=$1
failed=0

pattern='#[[:space:]]*include[[:space:]]*[<"](SDL2?/|SDL\.h|SDL_|ft2build|freetype/|libav|libsw|cdio/|alsa/|linux/|iconv\.h|unistd\.h|dirent\.h|fcntl\.h|sys/)'
hits=$(grep -rnE "$pattern" "$root/src" --include='*.h' --include='*.cpp' | grep -v "^$root/src/platform/")
if [[ -n "$hits" ]]; then
    echo "library or system headers outside src/platform:"
    echo "$hits"
    failed=1
fi

# The platform is grouped by concern; a file outside those folders is in none.
concerns='audio cd core files input linux media mixer text video window'
hits=$(find "$root/src/platform" -mindepth 1 \( -name '*.h' -o -name '*.cpp' -o -type d \) |
       while read -r path; do
           rel=${path#"$root/src/platform/"}
           concern=${rel%%/*}
           if [[ "$rel" != */* && ! -d "$path" ]] || [[ " $concerns " != *" $concern "* ]]; then
               echo "src/platform/$rel: in no concern of the platform"
           elif [[ "$rel" == */*/* ]]; then
               echo "src/platform/$rel: nested below its concern"
           fi
       done)
if [[ -n "$hits" ]]; then
    echo "platform files outside its concern folders:"
    echo "$hits"
    failed=1
fi

layers='platform=0 graphics=1 sound=1 system=1 game=2 script=2 windows=2 extras=2 shell=3 app=4'
hits=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$root/src" \
           --include='*.h' --include='*.cpp' |
       awk -v root="$root/src/" -v layers="$layers" '
           BEGIN {
               n = split(layers, pairs, " ")
               for (i = 1; i <= n; ++i) { split(pairs[i], kv, "="); rank[kv[1]] = kv[2] }
           }
           {
               path = substr($0, length(root) + 1)
               split(path, parts, ":")
               file = parts[1]
               folder = file ~ /\// ? substr(file, 1, index(file, "/") - 1) : ""
               if (!(folder in rank)) { print "src/" file ": in no layer"; next }
               header = $0
               sub(/^[^"]*"/, "", header)
               sub(/".*$/, "", header)
               used = substr(header, 1, index(header, "/") - 1)
               if ((used in rank) && rank[used] > rank[folder])
                   print "src/" file ":" parts[2] ": includes " header ", above " folder
           }' | sort -u)
if [[ -n "$hits" ]]; then
    echo "includes against the layer order:"
    echo "$hits"
    failed=1
fi

# The game object's definition is for the game's own files (GAMEMAIN*.cpp wherever
# they live, the mode host's definitions), the command handlers by concept in
# src/script, the program in src/app and the tool that runs the game. A window, a mode
# record, a shared-steps object or any other record or header reaches the game through
# the context or the mode host.
hits=$(grep -rlE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"game/GAMEMAIN\.h"' \
           "$root/src" "$root/tools" --include='*.h' --include='*.cpp' |
       while read -r path; do
           rel=${path#"$root/"}
           case "$rel" in
               src/app/* | tools/autoplay/*.cpp | src/game/ModeHost.cpp) ;;
               src/script/*Commands.cpp) ;;
               src/game/GAMEMAIN*.cpp | src/script/GAMEMAIN*.cpp | src/windows/GAMEMAIN*.cpp) ;;
               src/extras/GAMEMAIN*.cpp) ;;
               *) echo "$rel: includes game/GAMEMAIN.h" ;;
           esac
       done | sort)
if [[ -n "$hits" ]]; then
    echo "the game object's header outside the game's own files:"
    echo "$hits"
    failed=1
fi

[[ $failed -eq 0 ]] && echo "layering: ok"
exit $failed
