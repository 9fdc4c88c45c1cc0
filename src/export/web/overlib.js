/*
 * overlib.js - tooltip script of Quillo's exported card pages.
 * Written for Quillo; it offers the calls that the pages make, in the manner
 * of the overLIB 3.33 library: drc(text, caption) shows a box titled by the
 * caption near the mouse in the element "overDiv", nd() hides it. The page
 * variable "width" sets the box width in pixels.
 * Free to use, copy and change together with the exported pages.
 */
(function () {
    var mouseX = 0;
    var mouseY = 0;

    function box() {
        return document.getElementById('overDiv');
    }

    function place() {
        var d = box();
        if (!d || d.style.visibility !== 'visible') {
            return;
        }
        var x = mouseX + 12;
        var y = mouseY + 12;
        var right = window.pageXOffset + document.documentElement.clientWidth;
        if (x + d.offsetWidth > right) {
            x = Math.max(window.pageXOffset, right - d.offsetWidth - 4);
        }
        d.style.left = x + 'px';
        d.style.top = y + 'px';
    }

    document.addEventListener('mousemove', function (e) {
        mouseX = e.pageX;
        mouseY = e.pageY;
        place();
    });

    window.drc = function (text, caption) {
        var d = box();
        if (!d) {
            return true;
        }
        var w = parseInt(window.width, 10);
        if (!(w > 0)) {
            w = 400;
        }
        var title = document.createElement('div');
        title.className = 'olCaption';
        title.textContent = caption;
        title.style.cssText = 'background:#333399;color:#FFFFFF;font:bold 13px Arial,sans-serif;padding:2px 4px;';
        var body = document.createElement('div');
        body.className = 'olText';
        body.innerHTML = text; /* the page escapes the card text; <br> are its line breaks */
        body.style.cssText = 'background:#FFFFCC;color:#000000;font:13px Arial,sans-serif;padding:4px;';
        d.innerHTML = '';
        d.appendChild(title);
        d.appendChild(body);
        d.style.width = w + 'px';
        d.style.border = '1px solid #333399';
        d.style.visibility = 'visible';
        place();
        return true;
    };

    window.nd = function () {
        var d = box();
        if (d) {
            d.style.visibility = 'hidden';
        }
        return true;
    };
}());
