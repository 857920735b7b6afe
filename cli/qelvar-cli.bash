# bash completion for qelvar-cli: commands, their options and the values
# an option takes.  Installed as share/bash-completion/completions/qelvar-cli.

_qelvar_cli_options() {
    local birth="--lunar --leap --hour --minute --sex --today"
    local moment="--clock --zone --place --longitude --latitude --dst --solar-time"
    local conventions="--late-zi --leap-month --year-start --preset --kui-yue --tian-ma --body-ruler-zi --jie-kong --mutagen-geng --mutagen-wu --mutagen-ren --god-names --stars"
    case $1 in
        convert) echo "--help --lunar --leap --format --encoding --lang -" ;;
        cast) echo "--help $birth $moment --format --output --scale --encoding --lang --at --at-hour $conventions --from-library --library -" ;;
        render) echo "--help $birth $moment --output --scale --lang --at --at-hour --select --palette --layers --no-adjectives $conventions --from-library --library" ;;
        library) echo "--help" ;;
        "library list" | "library find") echo "--help --library --format --group --sort --descending" ;;
        "library show") echo "--help --library --format" ;;
        "library add") echo "--help --library --name $birth $moment $conventions --note --tag --group --format" ;;
        "library edit") echo "--help --library --name $birth $moment $conventions --note --tag --group" ;;
        "library remove") echo "--help --library" ;;
        "library export") echo "--help --library --output --format --bom --find --group --sort --descending" ;;
        "library import") echo "--help --library --duplicates --dry-run --format" ;;
        moment) echo "--help $moment --format --encoding --lang" ;;
        places) echo "--help --format --encoding --lang" ;;
    esac
}

_qelvar_cli_values() {
    case $2 in
        --format)
            case $1 in
                cast) echo "text json png" ;;
                "library export") echo "json csv" ;;
                *) echo "text json" ;;
            esac
            ;;
        --sort) echo "name birth place group modified" ;;
        --duplicates) echo "skip merge" ;;
        --encoding) echo "utf-8 gbk big5" ;;
        --lang) echo "zh-CN zh-TW zh-HK" ;;
        --hour | --at-hour) echo "0 1 2 3 4 5 6 7 8 9 10 11 12 子 丑 寅 卯 辰 巳 午 未 申 酉 戌 亥 夜子" ;;
        --late-zi) echo "same-day next-day" ;;
        --leap-month) echo "whole split" ;;
        --year-start) echo "new-year lichun" ;;
        --preset) echo "default common" ;;
        --kui-yue) echo "default chou-wei" ;;
        --tian-ma) echo "month year" ;;
        --body-ruler-zi) echo "铃星 火星" ;;
        --jie-kong) echo "single pair" ;;
        --mutagen-geng) echo "阳武阴同 阳武府同 阳武同阴" ;;
        --mutagen-wu) echo "贪阴右机 贪阴阳机" ;;
        --mutagen-ren) echo "梁紫左武 梁紫府武" ;;
        --god-names) echo "default common" ;;
        --stars) echo "default extended" ;;
        --minute) echo "0 1 2 3 4 5 6 7 8 9 10 11" ;;
        --sex) echo "0 1 男 女" ;;
        --dst) echo "auto on off" ;;
        --solar-time) echo "on off" ;;
        --select) echo "子 丑 寅 卯 辰 巳 午 未 申 酉 戌 亥" ;;
        --palette) echo "natal clear" ;;
        --layers) echo "大限,小限,流年,流月,流日,流时 大限 流年" ;;
    esac
}

_qelvar_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=""
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
    # "--format=js" arrives as "--format" "=" "js" (or "=" alone).
    if [ "$cur" = "=" ]; then
        cur=""
    elif [ "$prev" = "=" ] && ((COMP_CWORD > 1)); then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    fi

    local command="" i
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
            convert | cast | render | moment | places)
                command=${COMP_WORDS[i]}
                break
                ;;
            library)
                command=library
                local j
                for ((j = i + 1; j < COMP_CWORD; j++)); do
                    case ${COMP_WORDS[j]} in
                        list | find | show | add | edit | remove | export | import)
                            command="library ${COMP_WORDS[j]}"
                            break
                            ;;
                    esac
                done
                break
                ;;
        esac
    done
    COMPREPLY=()
    if [ -z "$command" ]; then
        mapfile -t COMPREPLY < <(compgen -W "convert cast render moment places library help --help --version" -- "$cur")
        return
    fi
    if [[ $cur != -* ]]; then
        if [ "$command" = library ]; then
            mapfile -t COMPREPLY < <(compgen -W "list find show add edit remove export import" -- "$cur")
            return
        elif [ "$command" = "library import" ] && [ "$prev" = import ]; then
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return
        fi
    fi
    case $prev in
        --output | --library)
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return
            ;;
        --today | --scale) return ;;
        --format | --encoding | --lang | --hour | --minute | --sex | --dst | --solar-time | --sort | \
            --duplicates | --select | --palette | --layers)
            mapfile -t COMPREPLY < <(compgen -W "$(_qelvar_cli_values "$command" "$prev")" -- "$cur")
            return
            ;;
    esac
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(_qelvar_cli_options "$command")" -- "$cur")
    fi
}

complete -F _qelvar_cli qelvar-cli
