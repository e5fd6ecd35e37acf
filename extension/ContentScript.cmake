# Writes the content script: the page's field helpers and the script's own text in one scope, run
# once per document however often the browser injects it.
# -DFIELDS=fields.js -DCONTENT=content.js -DOUTPUTS=one;or;more
file(READ ${FIELDS} fields)
file(READ ${CONTENT} content)
set(script "// Made by the build from src/platform/pagescript/fields.js and extension/content.js.
(() => {
'use strict';
if (globalThis.vorlakenContentScript) return;
globalThis.vorlakenContentScript = true;
const api = globalThis.browser || globalThis.chrome;
${fields}
${content}
})();
")
foreach(output ${OUTPUTS})
    file(WRITE ${output} "${script}")
endforeach()
