# bash completion for moravel-cli
_moravel_cli() {
    local cur prev words cword
    _init_completion -n =: 2>/dev/null || {
        cur="${COMP_WORDS[COMP_CWORD]}"
        prev="${COMP_WORDS[COMP_CWORD - 1]}"
        words=("${COMP_WORDS[@]}")
        cword=$COMP_CWORD
    }
    local commands="days check csv report graph summary levels events verify settings capacity version"
    local levels="Leq Le L05 L10 L50 L90 L95 Lmin Lmax"
    local selection="--day --period --from --to"

    if [ "$cword" -eq 1 ]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    case "$prev" in
        --kind) COMPREPLY=($(compgen -W "full graph table" -- "$cur")); return ;;
        --format) COMPREPLY=($(compgen -W "text csv json" -- "$cur")); return ;;
        --channel) COMPREPLY=($(compgen -W "S V" -- "$cur")); return ;;
        --noise-level | --level) COMPREPLY=($(compgen -W "$levels" -- "$cur")); return ;;
        --vibration-level) COMPREPLY=($(compgen -W "Leq L05 L10 L50 L90 L95 Lmin Lmax" -- "$cur")); return ;;
        --series | --columns)
            # A list of levels: the names after the last comma.
            local done="" left="" level
            [[ "$cur" == *,* ]] && done="${cur%,*},"
            for level in $levels; do
                [[ ",$done" == *",$level,"* ]] || left+=" $level"
            done
            COMPREPLY=($(compgen -W "$left" -P "$done" -- "${cur##*,}"))
            return ;;
        --set)
            compopt -o nospace 2>/dev/null
            COMPREPLY=($(compgen -W "site= place= position= noise-regulation= vibration-regulation= notices=
                institution= person= noise-reference= vibration-reference= week= start= stop=" -- "$cur"))
            return ;;
        --step) COMPREPLY=($(compgen -W "1s 10s 1min 10min 1h" -- "$cur")); return ;;
        --noise-method | --vibration-method)
            COMPREPLY=($(compgen -W "statistic lmax maxima-mean maxima-90" -- "$cur")); return ;;
        --threshold) COMPREPLY=($(compgen -W "ref-10" -- "$cur")); return ;;
        --day | --period | --from | --to | --size | --gap) return ;;
    esac

    local options
    case "${words[1]}" in
        csv) options="$selection --all --overwrite --quiet" ;;
        report) options="$selection --kind --lines --noise-level --vibration-level --series --columns
            --each-day --summary --overwrite --quiet" ;;
        graph) options="$selection --channel --size --lines --level --series --raw --overwrite --quiet" ;;
        summary) options="$selection --noise-level --vibration-level --noise-method --vibration-method --format" ;;
        events) options="--day --period --channel --threshold --gap --format" ;;
        check) options="--raw" ;;
        levels) options="--day --from --to --channel --step --format" ;;
        settings) options="--set --not-fat32-ok --quiet" ;;
        verify) options="--quiet" ;;
        version) options="" ;;
        *) options="" ;;
    esac
    if [[ "$cur" == -* ]]; then
        COMPREPLY=($(compgen -W "$options --help" -- "$cur"))
        return
    fi
    # CARD and OUTDIR are directories; the files of report, graph and verify are files.
    local positional=0 i
    for ((i = 2; i < cword; i++)); do
        case "${words[i]}" in
            --period) ((i += 2)) ;;
            --day | --from | --to | --kind | --noise-level | --vibration-level | --series | --columns | \
                --channel | --size | --level | --format | --set | --noise-method | --vibration-method | \
                --threshold | --gap | --step) ((i++)) ;;
            -*) ;;
            *) ((positional++)) ;;
        esac
    done
    # bash-completion's own helper where it is loaded: names with spaces or in Japanese, directories
    # that go on into them.
    case "${words[1]}:$positional" in
        report:1 | graph:1) _moravel_cli_paths '@(png|bmp|jpg|jpeg|pdf)' ;;
        verify:0) _moravel_cli_paths 'pdf' ;;
        version:*) ;;
        *) _moravel_cli_paths -d ;;
    esac
}

# Directories (-d), or directories and the files whose extension matches an extended pattern.
_moravel_cli_paths() {
    if declare -F _filedir >/dev/null; then
        _filedir "$1"
        return
    fi
    compopt -o filenames 2>/dev/null
    local IFS=$'\n' i
    if [ "$1" = -d ]; then
        COMPREPLY=($(compgen -d -- "$cur"))
    else
        # The extensions in either case: "pdf" as "[pP][dD][fF]".
        local pattern="" c
        for ((i = 0; i < ${#1}; i++)); do
            c="${1:i:1}"
            [[ "$c" == [a-z] ]] && pattern+="[$c${c^^}]" || pattern+="$c"
        done
        COMPREPLY=($(compgen -d -- "$cur") $(shopt -s extglob; compgen -f -X "!*.@($pattern)" -- "$cur"))
    fi
}
complete -F _moravel_cli moravel-cli
