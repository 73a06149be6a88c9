#!/usr/bin/env bash
# Every C++ file is formatted with the project's clang-format style.
set -u
root=$1
cd "$root" || exit 1
mapfile -t files < <(find src tools tests bench -name '*.cpp' -o -name '*.h' | sort)
[[ ${#files[@]} -eq 0 ]] && exit 0
clang-format --dry-run --Werror "${files[@]}"
