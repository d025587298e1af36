#!/usr/bin/env bash
# Prepares (make) or removes (remove) source folders whose files differ only in letter case,
# "Notes.txt" and "notes.txt": Windows programs cannot create such names, the Linux folders
# behind the test drives can hold them. One folder for each volume test.
set -u
action=$1 dir=$2
case $action in
  make)
    for name in same-volume other-volume; do
      rm -rf "$dir/$name"; mkdir -p "$dir/$name/sub"
      printf 'upper case twin' > "$dir/$name/sub/Notes.txt"
      printf 'lower case twin' > "$dir/$name/sub/notes.txt"
    done
    ;;
  remove) rm -rf "$dir" ;;
  *) echo "usage: $0 make|remove <folder>" >&2; exit 2 ;;
esac
exit 0
