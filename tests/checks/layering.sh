#!/usr/bin/env bash
# Only src/platform may include library or POSIX system headers.
set -u
root=$1
pattern='#[[:space:]]*include[[:space:]]*[<"](SDL2?/|SDL\.h|SDL_|ft2build|freetype/|libav|libsw|cdio/|alsa/|linux/|iconv\.h|unistd\.h|dirent\.h|fcntl\.h|sys/)'
hits=$(grep -rnE "$pattern" "$root/src" --include='*.h' --include='*.cpp' | grep -v "^$root/src/platform/")
if [[ -n "$hits" ]]; then
    echo "library or system headers outside src/platform:"
    echo "$hits"
    exit 1
fi
echo "layering: ok"
